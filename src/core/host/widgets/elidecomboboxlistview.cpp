#include "core/host/widgets/elidecomboboxlistview.h"

#include <QComboBox>
#include <QScreen>
#include <QScrollBar>

ElideComboBoxListView::ElideComboBoxListView(QComboBox* box)
    : QListView(box)
    , m_box(box)
{
    setTextElideMode(Qt::ElideMiddle);
    setUniformItemSizes(true);
    box->setView(this);
}

void ElideComboBoxListView::setAutoWidth(bool on)
{
    m_autoWidth = on;
}

int ElideComboBoxListView::preferredPopupWidth() const
{
    const int content = sizeHintForColumn(m_box->modelColumn());
    const int chrome = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + 8;
    const QScreen* screen = m_box->screen();
    const int cap = screen ? screen->availableGeometry().width() : content + chrome;
    return qMin(qMax(m_box->width(), content + chrome), cap);
}

// The combo box sizes the pop-up container just before showing it, by its own rule; apply ours after.
void ElideComboBoxListView::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    QWidget* container = parentWidget();
    if (!container)
        return;
    const int width = m_autoWidth ? preferredPopupWidth() : m_box->width();
    if (container->width() == width)
        return;
    QRect geometry = container->geometry();
    geometry.setWidth(width);
    // Keep the pop-up on the box's screen.
    if (const QScreen* screen = m_box->screen()) {
        const QRect available = screen->availableGeometry();
        if (geometry.right() > available.right())
            geometry.moveRight(available.right());
    }
    container->setGeometry(geometry);
}
