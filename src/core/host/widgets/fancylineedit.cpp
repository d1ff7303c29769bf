#include "core/host/widgets/fancylineedit.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

FancyLineEdit::FancyLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    for (Side side : { Left, Right }) {
        auto* action = new QAction(this);
        action->setObjectName(side == Left ? QStringLiteral("leftButton") : QStringLiteral("rightButton"));
        action->setVisible(false);
        addAction(action, side == Left ? QLineEdit::LeadingPosition : QLineEdit::TrailingPosition);
        connect(action, &QAction::triggered, this, [this, side] { onButtonTriggered(side); });
        m_buttons[side] = action;
    }
}

void FancyLineEdit::setButtonIcon(Side side, const QIcon& icon)
{
    m_buttons[side]->setIcon(icon);
    m_buttons[side]->setVisible(!icon.isNull());
}

void FancyLineEdit::setButtonToolTip(Side side, const QString& toolTip)
{
    m_buttons[side]->setToolTip(toolTip);
}

void FancyLineEdit::setButtonVisible(Side side, bool visible)
{
    m_buttons[side]->setVisible(visible);
}

bool FancyLineEdit::isButtonVisible(Side side) const
{
    return m_buttons[side]->isVisible();
}

void FancyLineEdit::setButtonMenu(Side side, QMenu* menu)
{
    m_menus[side] = menu;
}

QMenu* FancyLineEdit::buttonMenu(Side side) const
{
    return m_menus[side];
}

void FancyLineEdit::onButtonTriggered(Side side)
{
    if (QMenu* menu = m_menus[side]) {
        // Below the edit, flush with the side the button is on.
        const QPoint corner = side == Left ? rect().bottomLeft() : rect().bottomRight();
        QPoint at = mapToGlobal(corner);
        if (side == Right)
            at.rx() -= menu->sizeHint().width();
        menu->popup(at);
        return;
    }
    Q_EMIT buttonClicked(side);
    if (side == Left)
        Q_EMIT leftButtonClicked();
    else
        Q_EMIT rightButtonClicked();
}

void FancyLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        for (Side side : { Right, Left }) {
            if (m_menus[side]) {
                onButtonTriggered(side);
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}
