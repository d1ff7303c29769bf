#pragma once

#include "basic_views_export.h"

#include <QObject>

class ExporterProxyModel;

// What a window's wrapper does for copy and export.
class BASIC_VIEWS_EXPORT ViewWrapper : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Copies the model's rows as tab-separated text, headed by the column titles, to the clipboard, under a
    // cancellable progress dialog; a cancelled copy leaves the clipboard as it was. True when copied.
    static bool copyToClipboard(ExporterProxyModel* model);
};
