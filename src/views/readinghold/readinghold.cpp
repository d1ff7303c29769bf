#include "views/readinghold/readinghold.h"

#include "views/readinghold/heldrowsmodel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

ReadingHold::ReadingHold(QAbstractItemView* view)
    : QObject(view)
    , m_view(view)
    , m_viewport(view->viewport())
    , m_toggle(new QAction(this))
    , m_badge(new QToolButton(view))
    , m_pointerCheck(new QTimer(this))
{
    m_pointerCheck->setInterval(250);
    connect(m_pointerCheck, &QTimer::timeout, this, &ReadingHold::checkPointer);
    m_toggle->setCheckable(true);
    connect(m_toggle, &QAction::toggled, this, &ReadingHold::setEnabled);
    m_badge->setObjectName(QStringLiteral("readingHoldBadge"));
    m_badge->setAutoRaise(false);
    retranslate();
    m_badge->setFocusPolicy(Qt::NoFocus);
    m_badge->hide();
    connect(m_badge, &QToolButton::clicked, this, &ReadingHold::catchUp);
    m_viewport->installEventFilter(this);
    view->installEventFilter(this);
}

void ReadingHold::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    m_toggle->setChecked(enabled);
    if (!enabled)
        endHold();
    Q_EMIT enabledChanged(enabled);
}

void ReadingHold::setModel(HeldRowsModel* model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    showPending(0);
    if (m_model)
        connect(m_model, &HeldRowsModel::pendingChangesChanged, this, &ReadingHold::showPending);
}

HeldRowsModel* ReadingHold::model() const
{
    return m_model;
}

void ReadingHold::catchUp()
{
    m_suppressed = true;
    m_keyboardReading = false;
    endHold();
}

void ReadingHold::startHold()
{
    if (!m_enabled || !m_model || m_suppressed)
        return;
    m_model->hold();
    m_pointerAt = QCursor::pos();
    m_pointerCheck->start();
}

void ReadingHold::endHold()
{
    m_pointerCheck->stop();
    if (m_model)
        m_model->release();
}

void ReadingHold::pointerLeft()
{
    m_pointerInside = false;
    m_suppressed = false;
    m_keyboardReading = false;
    endHold();
}

void ReadingHold::checkPointer()
{
    if (!m_model || !m_model->isHeld()) {
        m_pointerCheck->stop();
        return;
    }
    // A pointer that stays put is left alone: it may rest anywhere while the keys walk the rows.
    const QPoint at = QCursor::pos();
    if (at == m_pointerAt)
        return;
    m_pointerAt = at;
    const QWidget* under = QApplication::widgetAt(at);
    if (!under || (under != m_view && !m_view->isAncestorOf(under)))
        pointerLeft();
}

void ReadingHold::showPending(int count)
{
    if (count <= 0) {
        m_badge->hide();
        return;
    }
    m_badge->setText(tr("%Ln изменений", nullptr, count));
    m_badge->adjustSize();
    placeBadge();
    m_badge->show();
    m_badge->raise();
}

void ReadingHold::placeBadge()
{
    const QRect viewport = m_viewport->geometry();
    m_badge->move(viewport.right() - m_badge->width() - 4, viewport.top() + 4);
}

bool ReadingHold::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport) {
        switch (event->type()) {
        case QEvent::Enter:
            m_pointerInside = true;
            startHold();
            break;
        case QEvent::Leave:
            pointerLeft();
            break;
        case QEvent::Resize:
            placeBadge();
            break;
        default:
            break;
        }
    } else if (watched == m_view) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape && m_model && m_model->isHeld()) {
                catchUp();
                return true;
            }
            if (isNavigationKey(key)) {
                m_keyboardReading = true;
                startHold();
            }
        } else if (event->type() == QEvent::FocusOut && m_keyboardReading) {
            m_keyboardReading = false;
            if (!m_pointerInside)
                endHold();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReadingHold::retranslate()
{
    m_toggle->setText(tr("Удерживать строки при чтении"));
    m_toggle->setToolTip(tr("Пока указатель над таблицей, строки не сдвигаются; значения меняются на месте"));
    m_badge->setToolTip(tr("Показать изменения"));
    if (m_model && m_badge->isVisibleTo(m_view))
        showPending(m_model->pendingChanges());
}

bool ReadingHold::event(QEvent* event)
{
    // Told by the view that holds it.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::event(event);
}
