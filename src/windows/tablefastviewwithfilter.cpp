#include "windows/tablefastviewwithfilter.h"

#include "core/db/settings.h"
#include "core/host/filters/selectfilter.h"
#include "filters/enumfilter.h"
#include "filters/rowfiltersmodel.h"
#include "models/filterindexmodel.h"
#include "views/filtering/filtersheaderview.h"
#include "windows/private/tablefastviewwithfilter_p.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

const char* const TableFastViewWithFilter::FilterIdProperty = "FILTER_ID";
const char* const TableFastViewWithFilter::FilterEnableProperty = "FILTER_ENABLE";
const char* const TableFastViewWithFilter::FilterValueProperty = "FILTER_VALUE";

TableFastViewWithFilter::TableFastViewWithFilter(QWidget* parent)
    : TableFastView(parent)
    , m_d(new TableFastViewWithFilterPrivate)
{
    Q_D(TableFastViewWithFilter);
    d->header = new FiltersHeaderView(this);
    setHeader(d->header);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(d->header, &HeaderView::columnActionTriggered, this, &TableFastViewWithFilter::scrollToColumn,
        Qt::QueuedConnection);
}

TableFastViewWithFilter::~TableFastViewWithFilter() = default;

FiltersHeaderView* TableFastViewWithFilter::filtersHeader() const
{
    Q_D(const TableFastViewWithFilter);
    return d->header;
}

void TableFastViewWithFilter::setModel(QAbstractItemModel* model)
{
    Q_D(TableFastViewWithFilter);
    auto* filtered = qobject_cast<FilterIndexModel*>(model);
    if (filtered && filtered != delegatesModel()) {
        d->filters = filtered->filtersModel();
        d->header->setFilters(d->filters);
    }
    TableFastView::setModel(model);
}

RowFiltersModel* TableFastViewWithFilter::filtersModel() const
{
    Q_D(const TableFastViewWithFilter);
    return d->filters;
}

QString TableFastViewWithFilter::elidedText(const Filter* filter, const QMenu* menu) const
{
    return QFontMetrics(menu->font()).elidedText(filter->text(), Qt::ElideRight, 250);
}

QAction* TableFastViewWithFilter::addFilterAction(
    QMenu* menu, const QString& text, Filter* filter, void (TableFastViewWithFilter::*slot)())
{
    Q_D(TableFastViewWithFilter);
    QAction* action = menu->addAction(text);
    action->setProperty(FilterIdProperty, d->filters->indexOf(filter));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void TableFastViewWithFilter::populateActionsForColumn(int column, QMenu* menu)
{
    Q_D(TableFastViewWithFilter);
    const int before = menu->actions().size();
    const QList<Filter*> filters = d->filters ? d->filters->filtersForColumn(column) : QList<Filter*>();
    for (Filter* filter : filters) {
        if (auto* select = qobject_cast<SelectFilter*>(filter)) {
            addFilterAction(menu, select->selectActionName(), filter, &TableFastViewWithFilter::filterSelectEnabled);
            if (filter->isEnabled()) {
                addFilterAction(menu, tr("Снять фильтр '%1'").arg(elidedText(filter, menu)), filter,
                    &TableFastViewWithFilter::filterSetEnabled)
                    ->setProperty(FilterEnableProperty, 0);
            }
        } else if (auto* enumeration = qobject_cast<EnumFilter*>(filter)) {
            enumeration->removeInvalidKeys();
            QMenu* values = menu->addMenu(tr("Фильтры"));
            const int id = d->filters->indexOf(filter);
            for (const KeyValue& key : enumeration->keys()) {
                QAction* action = values->addAction(tr("%1").arg(enumeration->keyToText(key)));
                action->setCheckable(true);
                // A filter that is off shows every value, whatever keys it remembers.
                action->setChecked(!enumeration->isEnabled() || !enumeration->hasKey(key));
                action->setProperty(FilterIdProperty, id);
                action->setProperty(FilterValueProperty, enumeration->keyToValue(key));
                connect(action, &QAction::toggled, this, &TableFastViewWithFilter::toggleValue);
            }
            if (enumeration->isEnabled() && enumeration->isFiltering()) {
                addFilterAction(menu, tr("Показать все"), filter, &TableFastViewWithFilter::filterEnumAll)
                    ->setProperty(FilterEnableProperty, 0);
            }
        } else if (qobject_cast<ValueFilter*>(filter)) {
            if (filter->isEnabled()) {
                addFilterAction(menu, tr("Снять фильтр '%1'").arg(elidedText(filter, menu)), filter,
                    &TableFastViewWithFilter::filterSetEnabled)
                    ->setProperty(FilterEnableProperty, 0);
            }
        } else if (filter->isEnabled()) {
            addFilterAction(menu, tr("Снять фильтр '%1'").arg(elidedText(filter, menu)), filter,
                &TableFastViewWithFilter::filterSetEnabled)
                ->setProperty(FilterEnableProperty, 0);
        } else if (filter->hasValue()) {
            addFilterAction(menu, tr("Установить фильтр '%1'").arg(filter->text()), filter,
                &TableFastViewWithFilter::filterSetEnabled)
                ->setProperty(FilterEnableProperty, 1);
        }
    }
    finishFilterActions(column, menu, before);
    TableFastView::populateActionsForColumn(column, menu);
}

void TableFastViewWithFilter::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    Q_D(TableFastViewWithFilter);
    if (!menu->isEmpty())
        menu->addSeparator();
    const int before = menu->actions().size();
    // The row's record as this view shows it: held rows are the view's own order of the model's records.
    const Record record = recordAt(index);
    const bool valid = record.inTable();
    const QList<Filter*> filters = d->filters ? d->filters->filtersForColumn(index.column()) : QList<Filter*>();
    for (Filter* filter : filters) {
        if (auto* enumeration = qobject_cast<EnumFilter*>(filter)) {
            if (!valid)
                continue;
            const KeyValue key = enumeration->keyFromRecord(record);
            const bool showsOnlyIt = enumeration->isEnabled() && enumeration->isSingle() && !enumeration->hasKey(key);
            if (enumeration->keys().contains(key) && !showsOnlyIt) {
                addFilterAction(menu, tr("Только '%1'").arg(enumeration->keyToText(key)), filter,
                    &TableFastViewWithFilter::filterEnumSetValue)
                    ->setProperty(FilterValueProperty, enumeration->keyToValue(key));
            }
        } else if (qobject_cast<ValueFilter*>(filter) && !qobject_cast<SelectFilter*>(filter)) {
            auto* value = static_cast<ValueFilter*>(filter);
            if (filter->isEnabled()) {
                addFilterAction(menu, tr("Снять фильтр '%1'").arg(elidedText(filter, menu)), filter,
                    &TableFastViewWithFilter::filterSetEnabled)
                    ->setProperty(FilterEnableProperty, 0);
            } else if (valid) {
                const KeyValue key = value->keyFromRecord(record);
                addFilterAction(menu, tr("Установить фильтр '%1'").arg(value->keyToText(key)), filter,
                    &TableFastViewWithFilter::filterSetValue)
                    ->setProperty(FilterValueProperty, value->keyToValue(key));
            }
        } else if (filter->isEnabled()) {
            addFilterAction(menu, tr("Снять фильтр '%1'").arg(elidedText(filter, menu)), filter,
                &TableFastViewWithFilter::filterSetEnabled)
                ->setProperty(FilterEnableProperty, 0);
        }
    }
    finishFilterActions(index.column(), menu, before);
    TableFastView::populateActionsForIndex(index, menu);
}

void TableFastViewWithFilter::finishFilterActions(int column, QMenu* menu, int countBefore)
{
    Q_D(TableFastViewWithFilter);
    if (d->filters && d->filters->isFilterEnabledForColumn(column)) {
        QAction* all = menu->addAction(tr("Снять все фильтры"));
        connect(all, &QAction::triggered, this, &TableFastViewWithFilter::filterDisableAll);
    }
    if (menu->actions().size() > countBefore)
        menu->addSeparator();
}

Filter* TableFastViewWithFilter::senderFilter(int* row) const
{
    Q_D(const TableFastViewWithFilter);
    const QObject* action = sender();
    if (!action || !d->filters)
        return nullptr;
    *row = action->property(FilterIdProperty).toInt();
    return *row >= 0 && *row < d->filters->rowCount() ? d->filters->at(*row) : nullptr;
}

void TableFastViewWithFilter::filterSetEnabled()
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    if (senderFilter(&row))
        d->filters->notifyFilterChanged(row, sender()->property(FilterEnableProperty).toInt() != 0);
}

void TableFastViewWithFilter::filterSelectEnabled()
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    auto* select = qobject_cast<SelectFilter*>(senderFilter(&row));
    if (select && select->selectDialog(this))
        d->filters->notifyFilterChanged(row, true);
}

void TableFastViewWithFilter::filterEnumSetValue()
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    if (auto* enumeration = qobject_cast<EnumFilter*>(senderFilter(&row))) {
        enumeration->setInvertValue(sender()->property(FilterValueProperty).toString());
        d->filters->notifyFilterChanged(row, true);
    }
}

void TableFastViewWithFilter::filterEnumAll()
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    if (Filter* filter = senderFilter(&row)) {
        filter->setValue(QString());
        d->filters->notifyFilterChanged(row, filter->hasValue());
    }
}

void TableFastViewWithFilter::filterSetValue()
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    if (Filter* filter = senderFilter(&row)) {
        filter->setValue(sender()->property(FilterValueProperty).toString());
        d->filters->notifyFilterChanged(row, filter->hasValue());
    }
}

void TableFastViewWithFilter::toggleValue(bool checked)
{
    Q_D(TableFastViewWithFilter);
    int row = -1;
    auto* filter = qobject_cast<ValueFilter*>(senderFilter(&row));
    if (!filter)
        return;
    if (!filter->isEnabled())
        filter->clear();
    const KeyValue key = filter->valueToKey(sender()->property(FilterValueProperty).toString());
    if (checked)
        filter->removeKey(key);
    else
        filter->addKey(key);
    d->filters->notifyFilterChanged(row, !filter->isEmpty());
}

void TableFastViewWithFilter::filterDisableAll()
{
    Q_D(TableFastViewWithFilter);
    if (!d->filters)
        return;
    QList<int> cleared;
    for (int row = 0; row < d->filters->rowCount(); ++row) {
        Filter* filter = d->filters->at(row);
        if (!filter->isEnabled())
            continue;
        filter->setEnabled(false);
        filter->clear();
        cleared << row;
    }
    d->filters->notifyFiltersChanged(cleared);
}

void TableFastViewWithFilter::scrollToColumn(int column)
{
    if (!model() || column < 0 || header()->isSectionHidden(column))
        return;
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (row < QAbstractItemView::model()->rowCount())
        scrollTo(QAbstractItemView::model()->index(row, column));
}

void TableFastViewWithFilter::store(Settings& settings) const
{
    Q_D(const TableFastViewWithFilter);
    TableFastView::store(settings);
    if (d->filters && delegatesModel())
        d->filters->write(settings);
}

void TableFastViewWithFilter::restorePre(const Settings& values)
{
    TableFastView::restorePre(values);
    // Read quietly: the restore rebuilds the model once for everything that changed.
    // A state without filters keeps the ones the window was opened with.
    auto* filtered = qobject_cast<FilterIndexModel*>(delegatesModel());
    if (filtered && values.childGroups().contains(QStringLiteral("filters")))
        filtered->read(values);
}
