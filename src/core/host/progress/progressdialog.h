#pragma once

#include "core/host/bv_host_export.h"

#include <QDialog>

class ProgressWorker;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// A modal window with a text, a percentage bar and a Cancel button, under which a long job runs on the GUI
// thread. Cancel, Escape and closing the window all cancel; the job learns of it at its next processEvents().
class BV_HOST_EXPORT ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* parent = nullptr);
    ~ProgressDialog() override;

    void setText(const QString& text);
    QString text() const;
    // A percentage, clamped to 0..100.
    void setProgress(int percent);
    int progress() const;

    // Shows the dialog modal, runs the worker to its end and hides the dialog; returns the worker's result.
    int execWorker(ProgressWorker* worker);
    // A job that ends sooner than this shows no window at all (0, the default: the window shows at once), so a
    // short job in the background takes nobody's focus. Until the window shows, the job's pauses keep the feed
    // and the painting going but hold the trader's input back (ProgressWorker::processEvents()): nothing the
    // trader starts, a modal dialog least of all, can open inside the job and stop it there. The window never
    // shows over a dialog in use (dialogInUse()); it waits for it.
    void setMinimumDuration(int ms) { m_minimumDuration = ms; }
    int minimumDuration() const { return m_minimumDuration; }
    bool wasCanceled() const { return m_canceled; }

    // The modal dialog or pop-up the trader has open, if any. A job run from the event loop now would run
    // inside that window's own event loop, stuck there until it closes, and its modal window would cover it.
    static QWidget* dialogInUse();
    // How often what waits for a dialog in use looks again.
    static constexpr int DialogInUseRetryMs = 200;

Q_SIGNALS:
    void canceled();

public Q_SLOTS:
    void cancel();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    static void releaseHeldInput();

    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    QTimer* m_showTimer;
    int m_minimumDuration = 0;
    bool m_canceled = false;
    bool m_running = false;
};
