#include "columns/itemmodelwithdelegates.h"

#include "columns/columnmodeldelegate.h"
#include "columns/private/itemmodelwithdelegates_p.h"
#include "core/db/xdecimal.h"

#include "core/db/settings.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"

#include <QFont>
#include <QHeaderView>
#include <QSet>

ItemModelWithDelegates::ItemModelWithDelegates(QObject* parent)
    : QAbstractItemModel(*new ItemModelWithDelegatesPrivate, parent)
{ }

ItemModelWithDelegates::ItemModelWithDelegates(const QList<ColumnDef>& columns, QObject* parent)
    : ItemModelWithDelegates(parent)
{
    setColumns(columns);
}

ItemModelWithDelegates::ItemModelWithDelegates(QAbstractItemModelPrivate& dd, QObject* parent)
    : QAbstractItemModel(dd, parent)
{ }

ItemModelWithDelegates::~ItemModelWithDelegates() = default;

void ItemModelWithDelegates::setColumns(const QList<ColumnDef>& columns)
{
    Q_D(ItemModelWithDelegates);
    d->columns.clear();
    for (int i = 0; i < columns.size(); ++i) {
        ColumnDelegateDef c(columns.at(i), nullptr);
        c.tableColumn = i;
        d->columns << c;
    }
    d->sortColumn = -1;
    d->sortOrder = Qt::AscendingOrder;
    d->sortRole = 0;
}

const QVector<ColumnDelegateDef>& ItemModelWithDelegates::columns() const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns;
}

ColumnModelDelegate* ItemModelWithDelegates::columnDelegate(int column) const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns.at(column).delegate;
}

int ItemModelWithDelegates::tableColumn(int column) const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns.at(column).tableColumn;
}

int ItemModelWithDelegates::columnIndex(const QString& name) const
{
    Q_D(const ItemModelWithDelegates);
    for (int i = 0; i < d->columns.size(); ++i) {
        const ColumnDelegateDef& c = d->columns.at(i);
        QVariant key;
        const bool delegateNamed = c.delegate && c.delegate->headerData(ColumnNameRole, key);
        if ((delegateNamed ? key.toString() : c.def.name) == name || c.def.name == name)
            return i;
    }
    return -1;
}

void ItemModelWithDelegates::connectDelegate(ColumnModelDelegate* delegate)
{
    // The delegate's columns are looked up when it signals: columns inserted or removed since do not mislead it.
    connect(delegate, &ColumnModelDelegate::dataChanged, this, &ItemModelWithDelegates::onDelegateDataChanged,
        Qt::UniqueConnection);
}

void ItemModelWithDelegates::onDelegateDataChanged()
{
    Q_D(ItemModelWithDelegates);
    const QObject* delegate = sender();
    for (int column = 0; column < d->columns.size(); ++column) {
        if (d->columns.at(column).delegate == delegate)
            emitDataChanged(column);
    }
}

void ItemModelWithDelegates::setColumnDelegate(int column, ColumnModelDelegate* delegate, const QString& title)
{
    Q_D(ItemModelWithDelegates);
    if (column < 0 || column >= d->columns.size())
        return;
    ColumnDelegateDef& c = d->columns[column];
    c.delegate = delegate;
    if (!title.isEmpty())
        c.def.title = title;
    if (delegate) {
        c.def.visible = true;
        c.def.type = delegate->getType();
        c.alignment = columnTypeAlignment(c.def.type);
        connectDelegate(delegate);
    }
}

void ItemModelWithDelegates::setColumnDelegate(const QString& name, ColumnModelDelegate* delegate, const QString& title)
{
    const int column = columnIndex(name);
    if (column < 0)
        throw tr("Столбец '%1' не найден").arg(name);
    setColumnDelegate(column, delegate, title);
}

void ItemModelWithDelegates::insertColumnDelegate(int position, ColumnModelDelegate* delegate, int tableColumn,
    int length, const QString& name, const QString& title, const QString& description)
{
    Q_D(ItemModelWithDelegates);
    Q_ASSERT(delegate);
    ColumnDelegateDef c(delegate);
    c.def = ColumnDef(delegate->getType(), length, name, title, true, description);
    c.def.title = title;
    c.tableColumn = tableColumn;
    c.alignment = columnTypeAlignment(c.def.type);
    d->columns.insert(qBound(0, position, d->columns.size()), c);
    connectDelegate(delegate);
}

int ItemModelWithDelegates::addColumnDelegate(ColumnModelDelegate* delegate, int tableColumn, int length,
    const QString& name, const QString& title, const QString& description)
{
    const int position = columnCount();
    insertColumnDelegate(position, delegate, tableColumn, length, name, title, description);
    return position;
}

int ItemModelWithDelegates::addColumnDelegate(ColumnModelDelegate* delegate, int tableColumn, const ColumnDef& def)
{
    return addColumnDelegate(delegate, tableColumn, def.length, def.name, def.title, def.description);
}

void ItemModelWithDelegates::removeUnusedColumns(const QStringList& names)
{
    Q_D(ItemModelWithDelegates);
    d->columns.erase(std::remove_if(d->columns.begin(), d->columns.end(),
                         [&](const ColumnDelegateDef& c) { return names.contains(c.def.name); }),
        d->columns.end());
}

void ItemModelWithDelegates::moveColumn(int from, int to)
{
    Q_D(ItemModelWithDelegates);
    const int count = d->columns.size();
    if (from >= 0 && from < count && to >= 0 && to < count)
        d->columns.move(from, to);
}

void ItemModelWithDelegates::mapColumnFromTable(int firstField, int lastField, int& firstColumn, int& lastColumn) const
{
    Q_D(const ItemModelWithDelegates);
    const int count = d->columns.size();
    if (firstField == -1 || lastField == -1) {
        firstColumn = 0;
        lastColumn = count - 1;
        return;
    }
    firstColumn = count - 1;
    lastColumn = 0;
    for (int i = 0; i < count; ++i) {
        const int field = d->columns.at(i).tableColumn;
        if (field == -1 || (field >= firstField && field <= lastField)) {
            firstColumn = qMin(firstColumn, i);
            lastColumn = qMax(lastColumn, i);
        }
    }
}

void ItemModelWithDelegates::dataChangedRow(int row, int firstField, int lastField)
{
    int first;
    int last;
    mapColumnFromTable(firstField, lastField, first, last);
    if (last < first)
        return;
    Q_EMIT dataChanged(index(row, first), index(row, last), {});
}

void ItemModelWithDelegates::emitDataChanged(int column)
{
    if (isTreeModel()) {
        emitDataChangedOnChildren(column, QModelIndex());
        return;
    }
    const int rows = rowCount();
    if (rows > 0)
        Q_EMIT dataChanged(index(0, column), index(rows - 1, column));
}

void ItemModelWithDelegates::emitDataChangedOnChildren(int column, const QModelIndex& parent)
{
    QList<QModelIndex> pending { parent };
    QList<QPersistentModelIndex> visited;
    while (!pending.isEmpty()) {
        const QModelIndex p = pending.takeLast();
        visited << p;
        const int rows = rowCount(p);
        if (rows == 0)
            continue;
        Q_EMIT dataChanged(index(0, column, p), index(rows - 1, column, p));
        for (int i = 0; i < rows; ++i) {
            const QModelIndex child = index(i, column, p);
            if (hasChildren(child) && !visited.contains(child))
                pending << child;
        }
    }
}

QVariant ItemModelWithDelegates::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractItemModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return QVariant();
    return columnData(section, role);
}

QVariant ItemModelWithDelegates::columnData(int column, int role) const
{
    Q_D(const ItemModelWithDelegates);
    const ColumnDelegateDef& c = d->columns.at(column);
    QVariant answer;
    if (role == Qt::ToolTipRole) {
        if (c.delegate && c.delegate->headerData(ColumnDescriptionRole, answer))
            return answer;
        return HostSchema::text(c.def.description);
    }
    if (c.delegate && c.delegate->headerData(role, answer))
        return answer;
    switch (role) {
    case Qt::DisplayRole:
        // Titles given by the tables are source texts, translated as shown so that they follow the language.
        return c.def.title.isEmpty() ? c.def.name : HostSchema::text(c.def.title);
    case Qt::TextAlignmentRole:
        return int(columnAlignment(column));
    case ColumnNameRole:
        return c.def.name;
    case ColumnTypeNameRole:
        return FieldType::typeNameWithLength(c.def.type, c.def.length);
    case ColumnVisibleRole:
        return isColumnVisible(column);
    case ColumnDescriptionRole:
        return HostSchema::text(c.def.description);
    case ColumnFirstNameRole:
        return c.firstName;
    case ColumnHiddenRole:
        return !c.def.visible;
    case ColumnVariantTypeRole:
        return c.delegate ? c.delegate->type() : fieldTypeToVariantType(c.def.type);
    case ColumnLengthRole:
        return c.def.length;
    default:
        return QVariant();
    }
}

int ItemModelWithDelegates::columnCount(const QModelIndex&) const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns.size();
}

QVariant ItemModelWithDelegates::dataByRecord(const Record& record, int column, int role) const
{
    Q_D(const ItemModelWithDelegates);
    if (record.isNull())
        return QVariant();
    const int field = d->columns.at(column).tableColumn;
    return dataByField(record.data(field >= 0 ? field : 0), record, column, role);
}

QVariant ItemModelWithDelegates::dataByField(const Field& field, const Record& record, int column, int role) const
{
    Q_D(const ItemModelWithDelegates);
    QVariant value;
    const ColumnModelDelegate* delegate = d->columns.at(column).delegate;
    if (delegate && delegate->data(field, record, role, value))
        return value;
    switch (role) {
    case Qt::DisplayRole:
        return field.toVariant();
    case Qt::TextAlignmentRole:
        return int(columnAlignment(column));
    case Qt::EditRole:
        return field.toString();
    default:
        return QVariant();
    }
}

int ItemModelWithDelegates::sortColumn() const
{
    Q_D(const ItemModelWithDelegates);
    return d->sortColumn;
}

Qt::SortOrder ItemModelWithDelegates::sortOrder() const
{
    Q_D(const ItemModelWithDelegates);
    return d->sortOrder;
}

int ItemModelWithDelegates::sortRole() const
{
    Q_D(const ItemModelWithDelegates);
    return d->sortRole;
}

void ItemModelWithDelegates::setSortRole(int role)
{
    Q_D(ItemModelWithDelegates);
    d->sortRole = role;
}

Qt::Alignment ItemModelWithDelegates::columnTypeAlignment(int type)
{
    if (type < 1)
        return Qt::AlignLeft | Qt::AlignVCenter;
    if (type <= FieldType::XDecimal)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (type == FieldType::DateTime)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

int ItemModelWithDelegates::fieldTypeToVariantType(int type)
{
    switch (type) {
    case FieldType::Int32:
        return QVariant::Int;
    case FieldType::Int64:
        return QVariant::LongLong;
    case FieldType::Double:
        return QVariant::Double;
    case FieldType::Decimal:
        return qMetaTypeId<decimal>();
    case FieldType::XDecimal:
        return qMetaTypeId<xdecimal>();
    case FieldType::String:
    case FieldType::Char:
        return QVariant::String;
    case FieldType::DateTime:
        return QVariant::DateTime;
    default:
        return QVariant::Invalid;
    }
}

Table* ItemModelWithDelegates::table() const
{
    return nullptr;
}

bool ItemModelWithDelegates::isTreeModel() const
{
    return false;
}

QModelIndex ItemModelWithDelegates::indexColumn(const QModelIndex& index, int column) const
{
    return this->index(index.row(), column, index.parent());
}

int ItemModelWithDelegates::fieldIndex(const QString& name) const
{
    return columnIndex(name);
}

Qt::Alignment ItemModelWithDelegates::columnAlignment(int column) const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns.at(column).alignment;
}

void ItemModelWithDelegates::setColumnAlignment(int column, const Qt::Alignment& alignment)
{
    Q_D(ItemModelWithDelegates);
    if (column < 0 || column >= d->columns.size())
        return;
    ColumnDelegateDef& c = d->columns[column];
    c.alignment = alignment ? alignment : columnTypeAlignment(c.def.type);
}

bool ItemModelWithDelegates::isColumnVisible(int column) const
{
    Q_D(const ItemModelWithDelegates);
    return d->columns.at(column).def.visible;
}

void ItemModelWithDelegates::setSort(int column, Qt::SortOrder order)
{
    Q_D(ItemModelWithDelegates);
    d->sortColumn = column;
    d->sortOrder = order;
}

void ItemModelWithDelegates::sort(int column, Qt::SortOrder order)
{
    Q_D(ItemModelWithDelegates);
    if (column == d->sortColumn && order == d->sortOrder)
        return;
    beginResetModel();
    setSort(column, order);
    resort();
    endResetModel();
}

int ItemModelWithDelegates::compare(const Record& r1, const Record& r2) const
{
    Q_D(const ItemModelWithDelegates);
    int result = compareColumn(r1, r2, d->sortColumn);
    if (result == EmptyLast)
        return 1;
    if (result == -EmptyLast)
        return -1;
    if (result == 0)
        return default_compare(r1, r2);
    return d->sortOrder == Qt::DescendingOrder ? -result : result;
}

int ItemModelWithDelegates::compareColumn(const Record& r1, const Record& r2, int column) const
{
    Q_D(const ItemModelWithDelegates);
    if (column < 0 || column >= d->columns.size())
        return 0;
    const ColumnDelegateDef& c = d->columns.at(column);
    int result = 0;
    Table* const table = r1.table();
    const bool raw = !c.delegate || c.delegate->comparesRawFields();
    if (c.tableColumn != -1 && raw && table && table == r2.table() && c.tableColumn < table->columnCount()) {
        // The sorts' hot path: the two stored values compared in place, without Field objects.
        const RowLayout& layout = table->layout();
        const RowLayout::Slot& slot = layout.slot(c.tableColumn);
        const uchar* a = r1.rawData();
        const uchar* b = r2.rawData();
        result = FieldCodec::compare(
            FieldSlot { slot.type, slot.length, a + slot.offset, layout.hasValue(a, c.tableColumn) },
            FieldSlot { slot.type, slot.length, b + slot.offset, layout.hasValue(b, c.tableColumn) });
    } else if (c.tableColumn != -1) {
        const Field f1 = r1.data(c.tableColumn);
        const Field f2 = r2.data(c.tableColumn);
        if (c.delegate && c.delegate->sortsEmptyLast() && f1.isNull() != f2.isNull())
            return f1.isNull() ? EmptyLast : -EmptyLast;
        if (!c.delegate || !c.delegate->compare(f1, r1, f2, r2, result, d->sortRole))
            result = f1.compare(f2);
    } else if (c.delegate) {
        const Field empty = ColumnModelDelegate::emptyField(c.delegate->getType());
        c.delegate->compare(empty, r1, empty, r2, result, d->sortRole);
    }
    return qBound(-1, result, 1);
}

int ItemModelWithDelegates::default_compare(const Record&, const Record&) const
{
    return 0;
}

void ItemModelWithDelegates::storeHeader(const QHeaderView* header, const QAbstractItemModel* model, Settings& settings)
{
    if (!model || !header)
        return;
    QStringList names;
    settings.beginGroup(QStringLiteral("Columns"));
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        if (model->headerData(section, Qt::Horizontal, ColumnHiddenRole).toBool())
            continue;
        const QString name = model->headerData(section, Qt::Horizontal, ColumnNameRole).toString();
        if (name.isEmpty())
            continue;
        names << name;
        const bool shown = !header->isSectionHidden(section);
        settings.setValue(name + QStringLiteral(".visible"), shown);
        if (shown)
            settings.setValue(name + QStringLiteral(".width"), header->sectionSize(section));
    }
    settings.endGroup();
    settings.setValue(QStringLiteral("all_columns"), names);
    const int sortSection = header->sortIndicatorSection();
    settings.setValue(QStringLiteral("sortColumn"),
        sortSection >= 0 ? model->headerData(sortSection, Qt::Horizontal, ColumnNameRole).toString() : QString());
    settings.setValue(QStringLiteral("sortOrder"),
        header->sortIndicatorOrder() == Qt::DescendingOrder ? QStringLiteral("DESC") : QStringLiteral("ASC"));
}

void ItemModelWithDelegates::restoreHeader(QHeaderView* header, QAbstractItemModel* model, const Settings& settings)
{
    if (!model || !header)
        return;
    const int columns = model->columnCount();
    auto nameOf = [&](int column) { return model->headerData(column, Qt::Horizontal, ColumnNameRole).toString(); };
    if (settings.contains(QStringLiteral("all_columns"))) {
        const QStringList names = settings.value(QStringLiteral("all_columns")).toStringList();
        QHash<QString, int> byName;
        for (int column = 0; column < columns; ++column) {
            header->setSectionHidden(column, true);
            byName.insert(nameOf(column), column);
        }
        QSet<int> placed;
        int position = 0;
        for (const QString& name : names) {
            const int column = byName.value(name, -1);
            // A column the model no longer has, or a name listed twice by a hand-edited file.
            if (column < 0 || placed.contains(column))
                continue;
            placed.insert(column);
            header->moveSection(header->visualIndex(column), position++);
            const QString key = QStringLiteral("Columns/") + name;
            const bool shown = settings.value(key + QStringLiteral(".visible"), false).toBool();
            header->setSectionHidden(column, !shown);
            // A width that is not a positive number leaves the column as wide as it was.
            bool valid = false;
            const int width = settings.value(key + QStringLiteral(".width")).toInt(&valid);
            if (valid && width > 0)
                header->resizeSection(column, qMax(width, header->minimumSectionSize()));
            else if (shown && header->sectionSize(column) < header->minimumSectionSize())
                header->resizeSection(column, header->defaultSectionSize());
        }
        // A layout that shows nothing (every column switched off by hand, or none of its names left) would
        // leave an empty window: the model's own columns come back instead.
        if (header->hiddenSectionCount() == header->count()) {
            for (int column = 0; column < columns; ++column) {
                if (!model->headerData(column, Qt::Horizontal, ColumnHiddenRole).toBool())
                    header->setSectionHidden(column, false);
            }
        }
    }
    const QString sortName = settings.value(QStringLiteral("sortColumn"), QString()).toString();
    int sortColumn = -1;
    for (int column = 0; column < columns && sortColumn < 0; ++column) {
        if (nameOf(column) == sortName)
            sortColumn = column;
    }
    const Qt::SortOrder order
        = settings.value(QStringLiteral("sortOrder")).toString().compare(QStringLiteral("DESC"), Qt::CaseInsensitive)
            == 0
        ? Qt::DescendingOrder
        : Qt::AscendingOrder;
    if (settings.value(QStringLiteral("ordered"), false).toBool())
        return;
    // A window sorted by a column it does not show (the instruments by their id) comes back so; a column hidden
    // since, or gone, gives the sort to the leftmost shown column.
    const bool hiddenWhenStored = sortColumn >= 0
        && settings.value(QStringLiteral("all_columns")).toStringList().contains(sortName)
        && !settings.value(QStringLiteral("Columns/") + sortName + QStringLiteral(".visible"), false).toBool();
    if (sortColumn < 0 || (header->isSectionHidden(sortColumn) && !hiddenWhenStored)) {
        sortColumn = -1;
        for (int visual = 0; visual < header->count() && sortColumn < 0; ++visual) {
            if (!header->isSectionHidden(header->logicalIndex(visual)))
                sortColumn = header->logicalIndex(visual);
        }
    }
    header->setSortIndicator(sortColumn, order);
}
