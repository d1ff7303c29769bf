#pragma once

#include "core/host/progress/progressworker.h"

#include <QString>

class ExporterProxyModel;

// Builds a model's text for the clipboard under a progress dialog: the column titles, then one line per row,
// cells separated by tabs. The clipboard changes only when every row is in: a copy the user cancels, or whose
// window goes away meanwhile, leaves it as it was.
class CopyToClipboardWorker : public ProgressWorker
{
public:
    CopyToClipboardWorker(ProgressDialog* dialog, ExporterProxyModel* model);

    // 1 when the clipboard got the text, 0 when the user cancelled or the window went away.
    int run() override;
    // A cell's text: date-times as "dd.MM.yyyy hh:mm:ss" with milliseconds after the locale's decimal point,
    // decimals exactly.
    static QString cellText(const QVariant& value);

private:
    ExporterProxyModel* m_model; // not owned
};
