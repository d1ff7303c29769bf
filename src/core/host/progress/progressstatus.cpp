#include "core/host/progress/progressstatus.h"

#include <QBackingStore>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QThread>
#include <QWindow>

namespace {
// The bar counts in thousandths: totals may pass what an int holds.
const int Steps = 1000;
} // namespace

ProgressStatus::ProgressStatus(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
    , m_bar(new QProgressBar(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    m_bar->setRange(0, Steps);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(160);
    hide();
}

void ProgressStatus::start(const QString& message, qint64 total)
{
    if (!onOwnThread())
        return;
    Operation operation;
    operation.message = message;
    operation.total = total;
    m_operations << operation;
    present();
}

void ProgressStatus::progress(const QString& message, qint64 count)
{
    Operation* operation = onOwnThread() ? find(message) : nullptr;
    if (!operation)
        return;
    operation->count = count;
    if (operation == &m_operations.last())
        present();
}

void ProgressStatus::extraText(const QString& message, const QString& text)
{
    if (Operation* operation = onOwnThread() ? find(message) : nullptr)
        operation->extra = text;
}

void ProgressStatus::end(const QString& message)
{
    if (!onOwnThread() || !find(message))
        return;
    m_operations.erase(m_operations.begin() + (find(message) - m_operations.data()));
    present();
}

ProgressStatus::Operation* ProgressStatus::find(const QString& message)
{
    // The latest of a message: an operation may start another of its kind inside.
    for (int i = m_operations.size() - 1; i >= 0; --i) {
        if (m_operations.at(i).message == message)
            return &m_operations[i];
    }
    return nullptr;
}

bool ProgressStatus::onOwnThread() const
{
    return QThread::currentThread() == thread();
}

void ProgressStatus::present()
{
    if (m_operations.isEmpty()) {
        m_text->clear(); // an ended operation's text is no text of the window
        hide();
    } else {
        const Operation& latest = m_operations.last();
        const QString text = latest.message.trimmed();
        m_text->setText(latest.extra.isEmpty() ? text : text + QLatin1Char(' ') + latest.extra);
        // QProgressBar::setValue() repaints at once, which paints every part of the window waiting for it: with the
        // bar's updates off it only keeps the value, and the bar is painted below with the rest of the status bar.
        m_bar->setUpdatesEnabled(false);
        m_bar->setValue(
            latest.total > 0 ? int(qBound<qint64>(0, latest.count, latest.total) * Steps / latest.total) : 0);
        m_bar->setUpdatesEnabled(true);
        show();
    }
    // Painted through the window's backing store here and now, the status bar alone: a repaint() would paint every
    // part of the window waiting for it, the views of models being rebuilt among them.
    QWidget* area = parentWidget() ? parentWidget() : this;
    if (area->layout())
        area->layout()->activate();
    area->update(); // and once more by the event loop when it turns again
    QWidget* top = area->window();
    QWindow* native = top->windowHandle();
    QBackingStore* store = top->backingStore();
    if (!area->isVisible() || !native || !native->isExposed() || !store)
        return;
    const QPoint at = area->mapTo(top, QPoint());
    const QRegion region(QRect(at, area->size()));
    store->beginPaint(region);
    area->render(store->paintDevice(), at, QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    store->endPaint();
    store->flush(region, native);
}
