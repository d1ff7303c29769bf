#include "trees/view/private/treegroupsheaderview.h"

#include "views/headerproxystyle.h"

#include <QPainter>
#include <QStyleOptionHeader>

TreeGroupsHeaderView::TreeGroupsHeaderView(QWidget* parent)
    : FiltersHeaderView(parent)
{
    auto* style = new TreeGroupsHeaderProxyStyle;
    style->setParent(this);
    setStyle(style);
    setSortIndicatorShown(false);
}

TreeGroupsHeaderView::~TreeGroupsHeaderView() = default;

void TreeGroupsHeaderView::setDrawSortOrder(bool on)
{
    m_drawSortOrder = on;
    viewport()->update();
}

void TreeGroupsHeaderView::setCollapsed(bool collapsed)
{
    if (m_collapsed == collapsed)
        return;
    m_collapsed = collapsed;
    updateSection(0);
}

TreeGroupsHeaderProxyStyle::TreeGroupsHeaderProxyStyle(QStyle* style)
    : QProxyStyle(style)
{ }

void TreeGroupsHeaderProxyStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // The library's header style (elided labels) draws what this style does not add to.
    const QStyle* base = HeaderProxyStyle::instance();
    if (!base)
        base = baseStyle();
    const auto* header = qobject_cast<const TreeGroupsHeaderView*>(widget);
    const auto* section = qstyleoption_cast<const QStyleOptionHeader*>(option);
    if (element != CE_Header || !header || !section || !header->model()) {
        base->drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionHeader opt = *section;
    const QVariant order = header->model()->headerData(section->section, Qt::Horizontal, Qt::InitialSortOrderRole);
    if (header->drawSortOrder() && order.isValid() && section->section > 0)
        opt.sortIndicator
            = order.toInt() == Qt::DescendingOrder ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
    // The common style leaves the painter clipped to nothing when it had no clip before: drawn in a saved state.
    painter->save();
    base->drawControl(element, &opt, painter, widget);
    painter->restore();
    if (section->section != 0)
        return;
    HeaderProxyStyle::drawExpandMark(
        painter, QRectF(section->rect).center(), header->isCollapsed(), section->palette.color(QPalette::WindowText));
}
