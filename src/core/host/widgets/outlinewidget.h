#pragma once

#include "core/host/bv_host_export.h"

#include <QScrollArea>

class QToolButton;
class QVBoxLayout;

// Titled sections stacked in a scroll area, each collapsible by its title button (click, Space or the arrow
// keys on the focused title). With highlighting on, the titles of highlighted sections are bold: the filter
// lists mark the filters that hold a value this way.
class BV_HOST_EXPORT OutlineWidget : public QScrollArea
{
    Q_OBJECT
public:
    explicit OutlineWidget(QWidget* parent = nullptr);

    // Takes ownership of the widget; returns the section's row.
    int addWidget(QWidget* widget, const QString& title);
    int count() const { return m_sections.size(); }
    QWidget* widget(int row) const;
    QString title(int row) const;
    void setTitle(int row, const QString& title);

    void setExpanded(int row, bool expanded);
    bool isExpanded(int row) const;
    void collapseAll();
    void expandAll();
    void setRowHidden(int row, bool hidden);
    bool isRowHidden(int row) const;

    void setHighlightedFontEnabled(bool enabled);
    bool isHighlightedFontEnabled() const { return m_highlight; }
    void setRowHighlighted(int row, bool highlighted);
    bool isRowHighlighted(int row) const;

Q_SIGNALS:
    void expandedChanged(int row, bool expanded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Section
    {
        QWidget* frame;
        QToolButton* title;
        QWidget* widget;
        bool highlighted = false;
    };
    bool isRow(int row) const { return row >= 0 && row < m_sections.size(); }
    void updateTitleFont(const Section& section);

    QVBoxLayout* m_layout;
    QList<Section> m_sections;
    bool m_highlight = false;
};
