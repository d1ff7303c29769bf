#include "views/filtering/private/filterssettingswidget.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/host/filters/filter.h"
#include "core/host/widgets/outlinewidget.h"
#include "filters/rowfiltersmodel.h"

#include <QVBoxLayout>

FiltersSettingsWidget::FiltersSettingsWidget(QWidget* parent)
    : QWidget(parent)
    , m_outline(new OutlineWidget(this))
{
    m_outline->setHighlightedFontEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outline);
}

void FiltersSettingsWidget::setFiltersModel(RowFiltersModel* filters)
{
    m_model = filters;
    m_filters = filters ? filters->filters() : QList<Filter*>();
    for (Filter* filter : qAsConst(m_filters)) {
        QWidget* widget = filter->createFilterWidget(this);
        m_widgets << widget;
        connect(filter, &Filter::enabledChanged, this, &FiltersSettingsWidget::onEnabledChanged);
        if (!widget) {
            m_sections << -1;
            continue;
        }
        const int section = m_outline->addWidget(widget, filter->name());
        m_outline->setRowHighlighted(section, filter->isEnabled());
        m_sections << section;
    }
    for (int row = 0; row < m_filters.size(); ++row) {
        if (m_widgets.at(row))
            m_filters.at(row)->init(m_widgets.at(row));
    }
    m_outline->collapseAll();
}

void FiltersSettingsWidget::apply()
{
    if (m_model)
        m_model->apply(m_widgets);
}

void FiltersSettingsWidget::hideEvent(QHideEvent* event)
{
    apply();
    QWidget::hideEvent(event);
}

void FiltersSettingsWidget::onEnabledChanged(bool enabled)
{
    const int row = m_filters.indexOf(qobject_cast<Filter*>(sender()));
    const int section = sectionOf(row);
    if (section >= 0)
        m_outline->setRowHighlighted(section, enabled);
}
