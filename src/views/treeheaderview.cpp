#include "views/treeheaderview.h"

#include "views/headerproxystyle.h"

#include <QEvent>
#include <QStyleOptionHeader>

TreeHeaderView::TreeHeaderView(QWidget* parent)
    : HeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    if (HeaderProxyStyle* style = HeaderProxyStyle::instance())
        setStyle(style);
    connect(this, &QHeaderView::sectionMoved, this, &TreeHeaderView::sectionMoved);
}

QSize TreeHeaderView::sizeHint() const
{
    const QSize hint = QHeaderView::sizeHint();
    if (m_sectionHeight <= 0)
        return hint;
    return orientation() == Qt::Horizontal ? QSize(hint.width(), m_sectionHeight)
                                           : QSize(m_sectionHeight, hint.height());
}

bool TreeHeaderView::event(QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        QStyleOptionHeader option;
        option.initFrom(this);
        m_sectionHeight = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height();
    }
    return HeaderView::event(event);
}

void TreeHeaderView::sectionMoved(int logical, int oldVisual, int newVisual)
{
    if (!m_firstColumnLocked)
        return;
    if (logical != 0 && newVisual == 0)
        moveSection(visualIndex(0), 0);
    else if (logical == 0 && newVisual != 0)
        moveSection(newVisual, oldVisual);
}
