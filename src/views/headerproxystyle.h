#pragma once

#include "basic_views_export.h"

#include <QProxyStyle>

// The header style of the library's views: a label wider than its section is elided at the right and then drawn
// left-aligned, so a narrowed right-aligned number column still shows the start of its title. One per process.
class BASIC_VIEWS_EXPORT HeaderProxyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit HeaderProxyStyle(QStyle* style = nullptr);
    ~HeaderProxyStyle() override;

    // Null before one is made.
    static HeaderProxyStyle* instance();
    // The open/close-all mark of a tree's first section, centred at `centre`, like the tree's own branch marks:
    // pointing down while the groups stand open, right when they are closed.
    static void drawExpandMark(QPainter* painter, const QPointF& centre, bool collapsed, const QColor& color);

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
        const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;

private:
    Q_DISABLE_COPY(HeaderProxyStyle)
};
