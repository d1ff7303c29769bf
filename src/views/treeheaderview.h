#pragma once

#include "views/headerview.h"

class TreeHeaderViewPrivate;

// The header of the library's tree views: the first column, which holds the tree, can be locked in front, and its
// section can carry the open/close-all mark of the tree's groups (closed while the collapsed flag is on) in front
// of its title, above the rows' own branch marks.
class BASIC_VIEWS_EXPORT TreeHeaderView : public HeaderView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TreeHeaderView)
public:
    explicit TreeHeaderView(QWidget* parent = nullptr);

    bool isFirstColumnLocked() const;
    void setFirstColumnLocked(bool locked);
    bool isExpandMarkShown() const;
    void setExpandMarkShown(bool shown);
    bool isCollapsed() const;
    void setCollapsed(bool collapsed);

    // The style's height of a header section, whatever the labels hold.
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private Q_SLOTS:
    void sectionMoved(int logical, int oldVisual, int newVisual);
};
