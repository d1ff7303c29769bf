#include "views/filtering/filterstoolbar.h"

#include "core/host/filters/filter.h"
#include "filters/widgets/keycombofilterwidget.h"
#include "views/filtering/itemfilterstoolbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>

FiltersToolBar::FiltersToolBar(QWidget* parent)
    : FiltersToolBar(QString(), parent)
{ }

FiltersToolBar::FiltersToolBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent)
    , m_content(new QWidget(this))
    , m_layout(new QHBoxLayout(m_content))
    , m_items(new ItemFiltersToolBar(this))
{
    setObjectName(QStringLiteral("FiltersToolBar"));
    setFloatable(false);
    setMovable(false);
    toggleViewAction()->setVisible(false);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_layout->addSpacerItem(new QSpacerItem(200, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    addWidget(m_content);
}

void FiltersToolBar::setView(QAbstractItemView* view)
{
    m_items->setView(view);
}

void FiltersToolBar::setHeader(QHeaderView* header)
{
    m_items->setHeader(header);
}

void FiltersToolBar::addFilter(Filter* filter)
{
    QWidget* widget = m_items->addFilter(filter, m_content);
    if (!widget)
        return;
    // A bare choice box says nothing of what it chooses: the filter's name goes before it, unless it has its own.
    const auto* choice = qobject_cast<KeyComboFilterWidget*>(widget);
    if (choice && !choice->hasTitle())
        addCustomWidget(new QLabel(filter->name() + QLatin1Char(':'), m_content));
    addCustomWidget(widget);
}

void FiltersToolBar::addFilters(const QList<Filter*>& filters)
{
    for (Filter* filter : filters)
        addFilter(filter);
}

void FiltersToolBar::addCustomWidget(QWidget* widget)
{
    // Before the trailing spacer.
    m_layout->insertWidget(m_layout->count() - 1, widget);
}
