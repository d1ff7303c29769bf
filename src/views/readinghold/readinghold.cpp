#include "views/readinghold/readinghold.h"

#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/private/readinghold_p.h"

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
    , m_d(new ReadingHoldPrivate)
{
    Q_D(ReadingHold);
    d->view = view;
    d->viewport = view->viewport();
    d->toggle = new QAction(this);
    d->badge = new QToolButton(view);
    d->pointerCheck = new QTimer(this);
    d->pointerCheck->setInterval(250);
    connect(d->pointerCheck, &QTimer::timeout, this, &ReadingHold::checkPointer);
    d->toggle->setCheckable(true);
    connect(d->toggle, &QAction::toggled, this, &ReadingHold::setEnabled);
    d->badge->setObjectName(QStringLiteral("readingHoldBadge"));
    d->badge->setAutoRaise(false);
    retranslate();
    d->badge->setFocusPolicy(Qt::NoFocus);
    d->badge->hide();
    connect(d->badge, &QToolButton::clicked, this, &ReadingHold::catchUp);
    d->viewport->installEventFilter(this);
    view->installEventFilter(this);
}

ReadingHold::~ReadingHold() = default;

bool ReadingHold::isEnabled() const
{
    Q_D(const ReadingHold);
    return d->enabled;
}

QAction* ReadingHold::toggleAction() const
{
    Q_D(const ReadingHold);
    return d->toggle;
}

QToolButton* ReadingHold::badge() const
{
    Q_D(const ReadingHold);
    return d->badge;
}

void ReadingHold::setEnabled(bool enabled)
{
    Q_D(ReadingHold);
    if (enabled == d->enabled)
        return;
    d->enabled = enabled;
    d->toggle->setChecked(enabled);
    if (!enabled)
        endHold();
    Q_EMIT enabledChanged(enabled);
}

void ReadingHold::setModel(HeldRowsModel* model)
{
    Q_D(ReadingHold);
    if (d->model)
        disconnect(d->model, nullptr, this, nullptr);
    d->model = model;
    showPending(0);
    if (d->model)
        connect(d->model, &HeldRowsModel::pendingChangesChanged, this, &ReadingHold::showPending);
}

HeldRowsModel* ReadingHold::model() const
{
    Q_D(const ReadingHold);
    return d->model;
}

void ReadingHold::catchUp()
{
    Q_D(ReadingHold);
    d->suppressed = true;
    d->keyboardReading = false;
    endHold();
}

void ReadingHold::startHold()
{
    Q_D(ReadingHold);
    if (!d->enabled || !d->model || d->suppressed)
        return;
    d->model->hold();
    d->pointerAt = QCursor::pos();
    d->pointerCheck->start();
}

void ReadingHold::endHold()
{
    Q_D(ReadingHold);
    d->pointerCheck->stop();
    if (d->model)
        d->model->release();
}

void ReadingHold::pointerLeft()
{
    Q_D(ReadingHold);
    d->pointerInside = false;
    d->suppressed = false;
    d->keyboardReading = false;
    endHold();
}

void ReadingHold::checkPointer()
{
    Q_D(ReadingHold);
    if (!d->model || !d->model->isHeld()) {
        d->pointerCheck->stop();
        return;
    }
    // A pointer that stays put is left alone: it may rest anywhere while the keys walk the rows.
    const QPoint at = QCursor::pos();
    if (at == d->pointerAt)
        return;
    d->pointerAt = at;
    const QWidget* under = QApplication::widgetAt(at);
    if (!under || (under != d->view && !d->view->isAncestorOf(under)))
        pointerLeft();
}

void ReadingHold::showPending(int count)
{
    Q_D(ReadingHold);
    if (count <= 0) {
        d->badge->hide();
        return;
    }
    d->badge->setText(tr("%Ln изменений", nullptr, count));
    d->badge->adjustSize();
    placeBadge();
    d->badge->show();
    d->badge->raise();
}

void ReadingHold::placeBadge()
{
    Q_D(ReadingHold);
    const QRect viewport = d->viewport->geometry();
    d->badge->move(viewport.right() - d->badge->width() - 4, viewport.top() + 4);
}

bool ReadingHold::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(ReadingHold);
    if (watched == d->viewport) {
        switch (event->type()) {
        case QEvent::Enter:
            d->pointerInside = true;
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
    } else if (watched == d->view) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape && d->model && d->model->isHeld()) {
                catchUp();
                return true;
            }
            if (isNavigationKey(key)) {
                d->keyboardReading = true;
                startHold();
            }
        } else if (event->type() == QEvent::FocusOut && d->keyboardReading) {
            d->keyboardReading = false;
            if (!d->pointerInside)
                endHold();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReadingHold::retranslate()
{
    Q_D(ReadingHold);
    d->toggle->setText(tr("Удерживать строки при чтении"));
    d->toggle->setToolTip(tr("Пока указатель над таблицей, строки не сдвигаются; значения меняются на месте"));
    d->badge->setToolTip(tr("Показать изменения"));
    if (d->model && d->badge->isVisibleTo(d->view))
        showPending(d->model->pendingChanges());
}

bool ReadingHold::event(QEvent* event)
{
    // Told by the view that holds it.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::event(event);
}
