#include "core/host/progress/progressdialog.h"

#include "core/host/progress/progressworker.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(tr("Отмена"), this))
    , m_showTimer(new QTimer(this))
{
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, [this] {
        if (!m_running)
            return;
        // A dialog that opened meanwhile (not from the trader's input, which waits) is not covered.
        if (QWidget* other = dialogInUse(); other && other != this) {
            m_showTimer->start(DialogInUseRetryMs);
            return;
        }
        show();
        raise();
        activateWindow();
        releaseHeldInput();
    });
    setWindowModality(Qt::ApplicationModal);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setWordWrap(true);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setObjectName(QStringLiteral("progress"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setToolTip(tr("Прервать операцию"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressDialog::cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
    // A fixed width keeps the window still while the text changes.
    setMinimumWidth(360);
}

ProgressDialog::~ProgressDialog() = default;

// The input the job held back waits in the window system's queue, and the glib event dispatcher looks at that queue
// again only once woken: without this, the trader's click would wait for the next input.
void ProgressDialog::releaseHeldInput()
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

QWidget* ProgressDialog::dialogInUse()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::activeModalWidget();
}

void ProgressDialog::setText(const QString& text)
{
    m_text->setText(text);
}

QString ProgressDialog::text() const
{
    return m_text->text();
}

void ProgressDialog::setProgress(int percent)
{
    m_bar->setValue(qBound(0, percent, 100));
}

int ProgressDialog::progress() const
{
    return m_bar->value();
}

int ProgressDialog::execWorker(ProgressWorker* worker)
{
    m_canceled = false;
    m_running = true;
    m_cancel->setEnabled(true);
    m_cancel->setFocus();
    const auto done = qScopeGuard([this] {
        m_running = false;
        m_showTimer->stop();
        hide();
        releaseHeldInput();
    });
    if (m_minimumDuration > 0) {
        // Fires while the worker processes events.
        m_showTimer->start(m_minimumDuration);
    } else {
        show();
        raise();
        activateWindow();
    }
    return worker->run();
}

void ProgressDialog::cancel()
{
    if (m_canceled)
        return;
    m_canceled = true;
    m_cancel->setEnabled(false);
    m_text->setText(tr("Прерывание..."));
    Q_EMIT canceled();
}

// Escape cancels the job instead of closing the window under it.
void ProgressDialog::reject()
{
    if (m_running)
        cancel();
    else
        QDialog::reject();
}

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
