#pragma once

#include "views/filtering/filtersheaderview.h"

#include <QProxyStyle>

// The header of a grouped view: section 0 carries the expand/collapse-all mark (drawn by
// TreeGroupsHeaderProxyStyle from the collapsed flag), and, with drawSortOrder on, every sort column of the
// model shows its own order (the model's Qt::InitialSortOrderRole), since elements sort by several columns at
// once. A moved section moves the view's column.
class BASIC_VIEWS_EXPORT TreeGroupsHeaderView : public FiltersHeaderView
{
    Q_OBJECT
public:
    explicit TreeGroupsHeaderView(QWidget* parent = nullptr);
    ~TreeGroupsHeaderView() override;

    bool drawSortOrder() const { return m_drawSortOrder; }
    void setDrawSortOrder(bool on);
    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);

private:
    bool m_drawSortOrder = true;
    bool m_collapsed = true;
};

// Draws section 0 of a TreeGroupsHeaderView as a branch mark, open unless the header is collapsed, and the sort
// orders of the model's sort columns; the rest as the library's header style does.
class BASIC_VIEWS_EXPORT TreeGroupsHeaderProxyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit TreeGroupsHeaderProxyStyle(QStyle* style = nullptr);

    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
};
