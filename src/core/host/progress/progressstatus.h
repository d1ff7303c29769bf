#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/iprogressservice.h"

#include <QVector>
#include <QWidget>

class QLabel;
class QProgressBar;

// The host's progress display for a status bar: the text of the latest operation running and a bar of how far it
// got. It shows when an operation starts and goes when the last one ends. The operations run on the GUI thread
// with no event loop turning, so each report paints the status bar on the spot; nothing else of the window is
// painted then (a view may be half way through its model's rebuild) and no input is taken. Reports from other
// threads are ignored: they cannot touch widgets.
class BV_HOST_EXPORT ProgressStatus : public QWidget, public IProgressService
{
    Q_OBJECT
public:
    explicit ProgressStatus(QWidget* parent = nullptr);

    void start(const QString& message, qint64 total) override;
    void progress(const QString& message, qint64 count) override;
    void extraText(const QString& message, const QString& text) override;
    void end(const QString& message) override;

private:
    struct Operation
    {
        QString message;
        QString extra;
        qint64 total = 0;
        qint64 count = 0;
    };
    Operation* find(const QString& message);
    bool onOwnThread() const;
    // Shows the latest operation (or hides the display) and paints the status bar now.
    void present();

    QVector<Operation> m_operations; // running, in the order started
    QLabel* m_text;
    QProgressBar* m_bar;
};
