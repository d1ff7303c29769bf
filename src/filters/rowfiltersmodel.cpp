#include "filters/rowfiltersmodel.h"

#include "filters/private/rowfiltersmodel_p.h"

#include "columns/columnmodeldelegate.h"
#include "columns/itemmodelwithdelegates.h"
#include "core/db/guilog.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "core/host/filters/filter.h"
#include "core/host/filters/valuefilter.h"
#include "filters/enumfilter.h"
#include "filters/listfilterfunc.h"
#include "filters/nofilterfunc.h"

RowFiltersModel::RowFiltersModel(ItemModelWithDelegates* model, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new RowFiltersModelPrivate)
{
    m_d->model = model;
}

RowFiltersModel::~RowFiltersModel() = default;

ItemModelWithDelegates* RowFiltersModel::model() const
{
    return m_d->model;
}

QList<Filter*> RowFiltersModel::filters() const
{
    return m_d->filters;
}

Filter* RowFiltersModel::at(int row) const
{
    return m_d->filters.at(row);
}

int RowFiltersModel::indexOf(Filter* filter) const
{
    return m_d->filters.indexOf(filter);
}

int RowFiltersModel::addFilter(Filter* filter)
{
    const int row = m_d->filters.size();
    beginInsertRows(QModelIndex(), row, row);
    m_d->filters << filter;
    endInsertRows();
    connect(filter, &Filter::asincChanged, this, &RowFiltersModel::filterAsinc);
    connect(filter, &QObject::destroyed, this, &RowFiltersModel::onFilterDestroyed);
    return row;
}

void RowFiltersModel::removeFilter(Filter* filter)
{
    disconnect(filter, nullptr, this, nullptr);
    dropRow(m_d->filters.indexOf(filter));
}

void RowFiltersModel::onFilterDestroyed(QObject* object)
{
    // The filter is half gone: only its address may be used, and views asking about its row while it leaves
    // get nothing.
    const int row = int(std::find_if(m_d->filters.begin(), m_d->filters.end(), [object](Filter* f) {
        return static_cast<QObject*>(f) == object;
    }) - m_d->filters.begin());
    if (row < m_d->filters.size())
        m_d->filters[row] = nullptr;
    dropRow(row);
}

void RowFiltersModel::dropRow(int row)
{
    if (row < 0 || row >= m_d->filters.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_d->filters.removeAt(row);
    endRemoveRows();
}

bool RowFiltersModel::isFilterEnabled(int row) const
{
    return m_d->filters.at(row)->isEnabled();
}

int RowFiltersModel::viewColumn(const Filter* filter) const
{
    if (filter->modelColumn() != -1 || !m_d->model)
        return filter->modelColumn() != -1 ? filter->modelColumn() : filter->column();
    // A model may add columns of its own (a computed value, a tree's group column) anywhere: the filter goes with
    // the column that shows its field, the one named after the field when several show it.
    const int field = filter->column();
    if (field < 0)
        return -1;
    const Table* table = m_d->model->table();
    const QString name = table ? table->columnName(field) : QString();
    const QVector<ColumnDelegateDef>& columns = m_d->model->columns();
    int first = -1;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns.at(c).tableColumn != field)
            continue;
        if (columns.at(c).def.name == name)
            return c;
        if (first < 0)
            first = c;
    }
    return first;
}

bool RowFiltersModel::isFilterEnabledForColumn(int column) const
{
    return std::any_of(m_d->filters.begin(), m_d->filters.end(),
        [this, column](const Filter* f) { return f->isEnabled() && viewColumn(f) == column; });
}

QList<Filter*> RowFiltersModel::filtersForColumn(int column) const
{
    QList<Filter*> found;
    for (Filter* f : m_d->filters) {
        if (viewColumn(f) == column)
            found << f;
    }
    return found;
}

QString RowFiltersModel::filterValue(int row) const
{
    return m_d->filters.at(row)->value();
}

bool RowFiltersModel::setFilterValue(int row, const QString& value)
{
    return setFilterValueAndEnabled(row, value, m_d->filters.at(row)->isEnabled());
}

bool RowFiltersModel::setFilterEnabled(int row, bool enable)
{
    return setFilterValueAndEnabled(row, m_d->filters.at(row)->value(), enable);
}

bool RowFiltersModel::setFilterValueAndEnabled(int row, const QString& value, bool enable)
{
    Filter* filter = m_d->filters.at(row);
    bool enabledChange = false;
    bool valueChange = false;
    if (filter->isEnabled() != enable) {
        if (!enable || filter->hasValue()) {
            filter->setEnabled(enable);
            enabledChange = true;
        }
    }
    if (filter->value() != value) {
        filter->setValue(value);
        valueChange = true;
    }
    // A filter that had no value may be enabled now that it has one.
    if (filter->isEnabled() != enable && (!enable || filter->hasValue())) {
        filter->setEnabled(enable);
        enabledChange = true;
    }
    if (!enabledChange && !valueChange)
        return false;
    const QModelIndex cell = index(row, 0);
    Q_EMIT dataChanged(cell, cell);
    if (enabledChange)
        Q_EMIT filterEnabled(row, enable);
    else
        Q_EMIT filterChanged(row);
    return false;
}

void RowFiltersModel::notifyFilterChanged(int row, bool enabled)
{
    Filter* filter = m_d->filters.at(row);
    if (filter->isEnabled() != enabled)
        filter->setEnabled(enabled);
    Q_EMIT filterEnabled(row, enabled);
    const QModelIndex cell = index(row, 0);
    Q_EMIT dataChanged(cell, cell);
}

void RowFiltersModel::notifyFiltersChanged(const QList<int>& rows)
{
    if (rows.size() == 1)
        notifyFilterChanged(rows.first(), m_d->filters.at(rows.first())->isEnabled());
    if (rows.size() < 2)
        return;
    Q_EMIT filtersChanged();
    // Row by row: a row between them may hold a change not told yet.
    for (int row : rows)
        Q_EMIT dataChanged(index(row, 0), index(row, 0));
}

void RowFiltersModel::apply(const QList<QWidget*>& widgets)
{
    beginResetModel();
    for (int i = 0; i < widgets.size() && i < m_d->filters.size(); ++i)
        m_d->filters.at(i)->apply(widgets.at(i));
    endResetModel();
}

QString RowFiltersModel::settingsKey(const Filter* filter) const
{
    if (filter->modelColumn() == -1) {
        if (filter->column() == -1)
            return QString();
        // The table field's name; a filter that knows no table goes by the filtered model's table.
        const auto* valueFilter = qobject_cast<const ValueFilter*>(filter);
        const Table* table = valueFilter ? &valueFilter->table() : m_d->model ? m_d->model->table() : nullptr;
        return table ? table->columnName(filter->column()) : QString();
    }
    if (!m_d->model || filter->modelColumn() >= m_d->model->columnCount())
        return QString();
    const ColumnDelegateDef& c = m_d->model->columns().at(filter->modelColumn());
    QVariant name;
    if (c.delegate && c.delegate->headerData(ColumnNameRole, name))
        return name.toString();
    return c.def.name;
}

void RowFiltersModel::write(Settings& settings) const
{
    for (const Filter* filter : m_d->filters) {
        const QString key = settingsKey(filter);
        if (key.isEmpty())
            continue;
        settings.beginGroup(QStringLiteral("filters"));
        settings.setValue(key + QStringLiteral(".value"), filter->value());
        settings.setValue(key + QStringLiteral(".enabled"), filter->isEnabled());
        settings.endGroup();
    }
}

void RowFiltersModel::read(const Settings& settings)
{
    beginResetModel();
    for (Filter* filter : qAsConst(m_d->filters)) {
        if (filter->column() == -1)
            continue;
        const QString key = settingsKey(filter);
        if (key.isEmpty())
            continue;
        const QString prefix = QStringLiteral("filters/") + key;
        const QSignalBlocker quiet(filter);
        const QString stored = settings.value(prefix + QStringLiteral(".value"), QString()).toString();
        filter->setValue(stored);
        // Keys the table no longer offers go; a directory not loaded yet offers none and judges nothing.
        auto* enumeration = qobject_cast<EnumFilter*>(filter);
        if (enumeration && !enumeration->keys().isEmpty())
            enumeration->removeInvalidKeys();
        // A restored filter that lost its value (keys that no longer exist, a foreign string) stays off.
        const bool wanted = settings.value(prefix + QStringLiteral(".enabled"), false).toBool();
        if (wanted && !filter->hasValue())
            qCInfo(QGuiLog).noquote() << tr("Фильтр «%1» выключен: сохранённое значение «%2» здесь ничего не выбирает")
                                             .arg(filter->name(), stored);
        filter->setEnabled(wanted && filter->hasValue());
    }
    endResetModel();
}

FilterFunc* RowFiltersModel::createFilterFunc()
{
    QList<Filter*> enabled;
    for (Filter* f : qAsConst(m_d->filters)) {
        if (f->isEnabled())
            enabled << f;
    }
    if (enabled.isEmpty())
        return new NoFilterFunc(this);
    if (enabled.size() == 1) {
        FilterFunc* only = enabled.first()->createFilterFunc(this);
        return only ? only : new NoFilterFunc(this);
    }
    auto* list = new ListFilterFunc(this);
    for (Filter* f : qAsConst(enabled))
        list->append(f->createFilterFunc(list));
    return list;
}

void RowFiltersModel::filterAsinc()
{
    auto* filter = qobject_cast<Filter*>(sender());
    if (!filter || !filter->isEnabled())
        return;
    Q_EMIT filterAsincChanged(indexOf(filter));
}

int RowFiltersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_d->filters.size();
}

int RowFiltersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant RowFiltersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_d->filters.size())
        return QVariant();
    const Filter* filter = m_d->filters.at(index.row());
    if (!filter)
        return QVariant();
    if (index.column() == 0) {
        if (role == Qt::CheckStateRole)
            return filter->isEnabled() ? Qt::Checked : Qt::Unchecked;
        // A filter over no one column (a find's text) goes by its own name.
        if (role == Qt::DisplayRole && filter->column() < 0)
            return filter->name();
        if (role == Qt::DisplayRole && m_d->model)
            return m_d->model->headerData(viewColumn(filter), Qt::Horizontal, Qt::DisplayRole);
    } else if (index.column() == 1) {
        if (role == Qt::DisplayRole)
            return filter->text();
        if (role == Qt::EditRole)
            return filter->value();
    }
    return QVariant();
}

QVariant RowFiltersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == 0)
            return tr("Столбец");
        if (section == 1)
            return tr("Значение");
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RowFiltersModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    else if (index.column() == 1)
        flags |= Qt::ItemIsEditable;
    if (m_d->filters.at(index.row()) && m_d->filters.at(index.row())->hasValue())
        flags |= Qt::ItemIsEnabled;
    return flags;
}

bool RowFiltersModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    if (index.column() == 0 && role == Qt::CheckStateRole)
        return setFilterEnabled(index.row(), value.toInt() == Qt::Checked);
    if (index.column() == 1 && role == Qt::EditRole)
        return setFilterValueAndEnabled(index.row(), value.toString(), m_d->filters.at(index.row())->isEnabled());
    return false;
}
