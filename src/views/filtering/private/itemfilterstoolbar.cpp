#include "views/filtering/private/itemfilterstoolbar.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/host/filters/filter.h"
#include "filters/filterlinks.h"
#include "filters/rowfiltersmodel.h"
#include "filters/widgets/filterwidget.h"
#include "models/filterindexmodel.h"
#include "views/find/itemviewfind.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHeaderView>
#include <QTimer>

ItemFiltersToolBar::ItemFiltersToolBar(QObject* parent)
    : QObject(parent)
    , m_find(new ItemViewFind(this))
{ }

void ItemFiltersToolBar::setView(QAbstractItemView* view)
{
    m_find->setView(view);
}

QAbstractItemView* ItemFiltersToolBar::view() const
{
    return m_find->view();
}

void ItemFiltersToolBar::setHeader(QHeaderView* header)
{
    m_find->setHeader(header);
}

RowFiltersModel* ItemFiltersToolBar::filtersModel() const
{
    // Found as the find finds it: behind held rows too.
    FilterIndexModel* filtered = m_find->filterIndexModel();
    return filtered ? filtered->filtersModel() : nullptr;
}

QWidget* ItemFiltersToolBar::addFilter(Filter* filter, QWidget* parent)
{
    RowFiltersModel* set = filtersModel();
    if (!set || !filter)
        return nullptr;
    for (Filter* other : set->filters()) {
        if (other != filter && other->name() == filter->name())
            set->removeFilter(other);
    }
    if (set->indexOf(filter) < 0)
        set->addFilter(filter);
    if (m_followed != set) {
        if (m_followed)
            disconnect(m_followed, nullptr, this, nullptr);
        m_followed = set;
        connect(set, &QAbstractItemModel::dataChanged, this, &ItemFiltersToolBar::onFiltersDataChanged);
        // Filters read from a stored state change quietly; the rebuild that follows shows them.
        if (set->model()) {
            connect(set->model(), &QAbstractItemModel::modelReset, this, [this] {
                if (m_followed && m_followed->rowCount() > 0)
                    onFiltersDataChanged(m_followed->index(0, 0), m_followed->index(m_followed->rowCount() - 1, 0));
            });
        }
    }
    QWidget* widget = FilterLinks::createToolBarEditor(filter, parent);
    if (widget) {
        m_quiet = true;
        filter->init(widget);
        m_quiet = false;
    }
    if (auto* editor = qobject_cast<FilterWidget*>(widget)) {
        connect(editor, &FilterWidget::changed, this, [this, filter, editor] {
            if (m_quiet)
                return;
            filter->apply(editor);
            onFilterChanged();
        });
    }
    FilterLinks::place(filter, widget, m_filters, m_widgets, this);
    m_told.insert(filter, { filter->value(), filter->isEnabled() });
    m_filters << filter;
    m_widgets << widget;
    connect(filter, &Filter::enabledChanged, this, &ItemFiltersToolBar::onFilterChanged);
    return widget;
}

bool ItemFiltersToolBar::event(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_quiet = true;
        for (int i = 0; i < m_filters.size(); ++i) {
            if (m_widgets.at(i))
                m_filters.at(i)->init(m_widgets.at(i));
        }
        m_quiet = false;
    }
    return QObject::event(event);
}

void ItemFiltersToolBar::onFilterChanged()
{
    if (m_quiet || m_notifyScheduled)
        return;
    // An editor's "check all" changes many items at once: one rebuild takes them all.
    m_notifyScheduled = true;
    QTimer::singleShot(0, this, &ItemFiltersToolBar::notifyFilters);
}

void ItemFiltersToolBar::notifyFilters()
{
    m_notifyScheduled = false;
    RowFiltersModel* set = filtersModel();
    if (!set)
        return;
    m_quiet = true;
    QList<int> changed;
    for (Filter* filter : qAsConst(m_filters)) {
        int row = set->indexOf(filter);
        const QPair<QString, bool> now { filter->value(), filter->isEnabled() };
        if (row >= 0 && m_told.value(filter) == now)
            continue;
        if (row < 0)
            row = set->addFilter(filter);
        m_told.insert(filter, now);
        changed << row;
    }
    // Editors changed together are one change of the trader's: one rebuild.
    set->notifyFiltersChanged(changed);
    m_quiet = false;
}

void ItemFiltersToolBar::onFiltersDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (!m_followed)
        return;
    // The set heard of these filters' states from whoever changed them.
    for (int row = topLeft.row(); row <= bottomRight.row() && row < m_followed->rowCount(); ++row) {
        const Filter* filter = m_followed->at(row);
        if (filter && m_filters.contains(const_cast<Filter*>(filter)))
            m_told.insert(filter, { filter->value(), filter->isEnabled() });
    }
    if (m_quiet)
        return;
    m_quiet = true;
    for (int row = topLeft.row(); row <= bottomRight.row() && row < m_followed->rowCount(); ++row) {
        const int placed = m_filters.indexOf(m_followed->at(row));
        if (placed >= 0 && m_widgets.at(placed))
            m_filters.at(placed)->init(m_widgets.at(placed));
    }
    m_quiet = false;
}
