#pragma once

#include "basic_views_export.h"

#include <QPointer>
#include <QWidget>

class Filter;
class OutlineWidget;
class RowFiltersModel;

// Every filter of a view, one collapsible section each (titled with the filter's name, bold while the filter is
// on), holding the filter's own editor. Leaving the page applies what the user set.
class BASIC_VIEWS_EXPORT FiltersSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit FiltersSettingsWidget(QWidget* parent = nullptr);

    // Makes and fills the editors; all sections start collapsed. The model is not owned.
    void setFiltersModel(RowFiltersModel* filters);
    // Paired with the filters by position; a filter without an editor keeps an empty place.
    QList<QWidget*> getWidgets() const { return m_widgets; }
    QList<Filter*> filters() const { return m_filters; }
    OutlineWidget* outline() const { return m_outline; }
    // The section of the filter at `row`; -1 when it has no editor.
    int sectionOf(int row) const { return m_sections.value(row, -1); }
    void apply();

protected:
    void hideEvent(QHideEvent* event) override;

private Q_SLOTS:
    void onEnabledChanged(bool enabled);

private:
    QPointer<RowFiltersModel> m_model;
    QList<Filter*> m_filters;
    QList<QWidget*> m_widgets;
    QList<int> m_sections;
    OutlineWidget* m_outline;
};
