#include "trees/treegroupsmodel.h"

#include "columns/columnmodeldelegate.h"
#include "columns/itemroles.h"
#include "core/db/masterindex.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "trees/groupmenttreeitem.h"
#include "trees/private/treegroupsmodel_p.h"

#include <QApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {

const QString SortColumnsKey = QStringLiteral("sortColumns");

// A cell's text as a group key: what the column shows, but dates in ISO form, so that groups named by them order
// by date.
QString keyText(const TreeGroupsModel* model, const Record& record, int column)
{
    // A plain field is its own text: the common case, and the one a large build asks a million times.
    const int field = model->tableColumn(column);
    const Table* table = record.table();
    if (!model->columnDelegate(column) && table && field >= 0 && field < table->columnCount()
        && table->columnType(field) != FieldType::DateTime)
        return record.data(field).toString();
    const QVariant value = model->dataByRecord(record, column, Qt::EditRole);
    switch (value.userType()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")); // the wall clock, no zone
    default:
        return model->dataByRecord(record, column, Qt::DisplayRole).toString();
    }
}

// The tree's column: no value of its own.
class TreeColumnDelegate : public ColumnModelDelegate
{
public:
    using ColumnModelDelegate::ColumnModelDelegate;
    FieldType::Type getType() const override { return FieldType::String; }
    int type() const override { return QMetaType::QString; }
    bool data(const Field&, const Record&, int role, QVariant& value) const override
    {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return false;
        value = QVariant();
        return true;
    }
};

} // namespace

// Groupments ----------------------------------------------------------------------------------------------------

TreeGroupsModel::GroupmentGroup::GroupmentGroup(
    const TreeGroupsModel* model, const QVector<int>& columns, const QString& name)
    : Groupment(*new GroupmentGroupPrivate, name)
{
    Q_D(GroupmentGroup);
    d->model = model;
    d->columns = columns;
}

int TreeGroupsModel::GroupmentGroup::keyParts() const
{
    Q_D(const GroupmentGroup);
    return d->columns.size();
}

QString TreeGroupsModel::GroupmentGroup::groupKey(const Record& record) const
{
    Q_D(const GroupmentGroup);
    if (d->columns.size() == 1)
        return keyText(d->model, record, d->columns.first());
    QStringList texts;
    for (int column : d->columns)
        texts << keyText(d->model, record, column);
    return keyOf(texts);
}

QString TreeGroupsModel::GroupmentGroup::keyOf(const QStringList& texts) const
{
    Q_D(const GroupmentGroup);
    if (texts.size() != d->columns.size())
        return QString();
    if (texts.size() == 1)
        return texts.first();
    QString key;
    for (int i = 0; i < texts.size(); ++i) {
        if (i > 0)
            key += QLatin1Char(',');
        for (const QChar c : texts.at(i)) {
            if (c == QLatin1Char(',') || c == QLatin1Char('\\'))
                key += QLatin1Char('\\');
            key += c;
        }
    }
    return key;
}

QStringList TreeGroupsModel::GroupmentGroup::textsOf(const QString& key) const
{
    Q_D(const GroupmentGroup);
    if (d->columns.size() == 1)
        return { key };
    QStringList texts { QString() };
    for (int i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c == QLatin1Char('\\') && i + 1 < key.size())
            texts.last() += key.at(++i);
        else if (c == QLatin1Char(','))
            texts << QString();
        else
            texts.last() += c;
    }
    return texts.size() == d->columns.size() ? texts : QStringList();
}

TreeGroupsModel::GroupmentElements::GroupmentElements(const TreeGroupsModel* model)
    : GroupmentElements(*new GroupmentElementsPrivate, model)
{ }

TreeGroupsModel::GroupmentElements::GroupmentElements(GroupmentElementsPrivate& dd, const TreeGroupsModel* model)
    : Groupment(dd, QStringLiteral("GroupmentElements"))
{
    Q_D(GroupmentElements);
    d->model = model;
}

QString TreeGroupsModel::GroupmentElements::groupKey(const Record& record) const
{
    return record.toString();
}

GroupmentTreeItem* TreeGroupsModel::GroupmentElements::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record&) const
{
    return allocateGroupItem(parent, key);
}

int TreeGroupsModel::GroupmentElements::keyParts() const
{
    Q_D(const GroupmentElements);
    const Table* table = d->model->table();
    return table && table->masterIndex()->hasKey() ? table->masterIndex()->keyColumns().size() : 1;
}

GroupmentTreeItem* TreeGroupsModel::GroupmentElements::allocateGroupItem(
    GroupmentTreeItem* parent, const QString& key) const
{
    return new TreeItemElement(key, parent);
}

// Runs on worker threads while a large tree sorts: reads the records and the sort list only.
int TreeGroupsModel::TreeItemElement::compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const
{
    const Record& a = record();
    const Record& b = other->record();
    if (a.isNull() || b.isNull())
        return RecordItem::compare(model, other);
    const auto* groups = static_cast<const TreeGroupsModel*>(model);
    for (const SortColumn& sort : groups->d_func()->sortColumns) {
        const int result = groups->compareColumn(a, b, sort.column);
        if (std::abs(result) == EmptyLast)
            return result > 0 ? 1 : -1;
        if (result != 0)
            return sort.order == Qt::DescendingOrder ? -result : result;
    }
    // Ties keep the order of the table's keys, so that equal elements never swap places.
    const Table* table = a.table();
    if (!table || table != b.table() || !table->masterIndex()->hasKey())
        return 0;
    for (int column : table->masterIndex()->keyColumns()) {
        const int result = a.data(column).compare(b.data(column));
        if (result != 0)
            return result;
    }
    return 0;
}

// The model ------------------------------------------------------------------------------------------------------

TreeGroupsModel::TreeGroupsModel(Table* table, QObject* parent)
    : TreeIndexModel(table, *new TreeGroupsModelPrivate, parent)
{ }

TreeGroupsModel::~TreeGroupsModel() = default;

QList<TreeGroupsModel::SortColumn> TreeGroupsModel::sortColumns() const
{
    Q_D(const TreeGroupsModel);
    return d->sortColumns;
}

int TreeGroupsModel::groupCount() const
{
    Q_D(const TreeGroupsModel);
    return d->groups.size();
}

TreeGroupsModel::Group TreeGroupsModel::group(int i) const
{
    Q_D(const TreeGroupsModel);
    return d->groups.value(i);
}

void TreeGroupsModel::insertTreeColumn()
{
    insertColumnDelegate(0, new TreeColumnDelegate(this), -1, 0, QStringLiteral("tree"), QString(), QString());
}

void TreeGroupsModel::addSortColumn(const SortColumn& column)
{
    Q_D(TreeGroupsModel);
    if (d->sortColumns.isEmpty())
        TreeIndexModel::setSort(column.column, Qt::AscendingOrder);
    d->sortColumns << column;
    resort();
}

Qt::SortOrder TreeGroupsModel::sortColumnOrder(int column) const
{
    Q_D(const TreeGroupsModel);
    for (const SortColumn& sort : d->sortColumns) {
        if (sort.column == column)
            return sort.order;
    }
    return Qt::AscendingOrder;
}

bool TreeGroupsModel::isSortColumn(int column) const
{
    Q_D(const TreeGroupsModel);
    for (const SortColumn& sort : d->sortColumns) {
        if (sort.column == column)
            return true;
    }
    return false;
}

void TreeGroupsModel::setGroup(int i, const QVector<int>& columns, const QString& name)
{
    Q_D(TreeGroupsModel);
    if (i < 0)
        return;
    if (d->groups.size() <= i)
        d->groups.resize(i + 1);
    if (d->groups.at(i).columns != columns)
        d->groups[i].columns = columns;
    d->groups[i].name = name;
}

QStringList TreeGroupsModel::groupColumnNames(int i) const
{
    Q_D(const TreeGroupsModel);
    QStringList names;
    for (int column : d->groups.value(i).columns)
        names << headerData(column, Qt::Horizontal, ColumnNameRole).toString();
    return names;
}

std::vector<std::unique_ptr<Groupment>> TreeGroupsModel::createGroupments() const
{
    Q_D(const TreeGroupsModel);
    std::vector<std::unique_ptr<Groupment>> levels;
    for (const Group& group : d->groups)
        levels.emplace_back(new GroupmentGroup(this, group.columns, group.name));
    levels.emplace_back(new GroupmentElements(this));
    return levels;
}

bool TreeGroupsModel::isElementLevel(const QModelIndex& index) const
{
    return isLeaf(index);
}

QModelIndex TreeGroupsModel::elementIndex(const QModelIndex& index) const
{
    // Only column 0 has children.
    QModelIndex at = index.siblingAtColumn(0);
    while (at.isValid() && hasChildren(at))
        at = this->index(0, 0, at);
    return isElementLevel(at) ? at.siblingAtColumn(index.column()) : QModelIndex();
}

QString TreeGroupsModel::indexText(const QModelIndex& index) const
{
    QStringList keys;
    for (const GroupmentTreeItem* item = index.isValid() ? itemByIndex(index) : nullptr; item && item != rootItem();
         item = item->parent())
        keys.prepend(item->groupKey());
    return keys.join(QLatin1Char(','));
}

TreeGroupsModel::Path TreeGroupsModel::indexPath(const QModelIndex& index) const
{
    Path path;
    const QList<Groupment*> levels = groupmentList();
    for (const GroupmentTreeItem* item = index.isValid() ? itemByIndex(index) : nullptr; item && item != rootItem();
         item = item->parent()) {
        const Groupment* groupment = levels.value(item->level());
        if (groupment && groupment->keysAreRecordKeys() && table())
            path.prepend(table()->masterIndex()->keyValues(item->record()));
        else if (const auto* group = dynamic_cast<const GroupmentGroup*>(groupment))
            path.prepend(group->textsOf(item->groupKey()));
        else
            path.prepend({ item->groupKey() });
    }
    return path;
}

QModelIndex TreeGroupsModel::pathIndex(const Path& path) const
{
    const QList<Groupment*> levels = groupmentList();
    if (path.isEmpty() || path.size() > levels.size())
        return QModelIndex();
    const GroupmentTreeItem* item = rootItem();
    for (int level = 0; level < path.size(); ++level) {
        const Groupment* groupment = levels.at(level);
        const GroupmentTreeItem* child = nullptr;
        if (groupment->keysAreRecordKeys()) {
            // Elements are not kept by key: find the record, then check that it hangs here.
            const MasterIndex* records = table() ? table()->masterIndex() : nullptr;
            const GroupmentTreeItem* leaf
                = records ? itemByRecord(records->recordByKey(records->keyRecord(path.at(level)))) : nullptr;
            child = leaf && leaf->parent() == item ? leaf : nullptr;
        } else if (const auto* group = dynamic_cast<const GroupmentGroup*>(groupment)) {
            child
                = path.at(level).size() == group->keyParts() ? item->childByKey(group->keyOf(path.at(level))) : nullptr;
        } else if (path.at(level).size() == 1) {
            child = item->childByKey(path.at(level).first());
        }
        if (!child)
            return QModelIndex();
        item = child;
    }
    return indexByItem(item);
}

QString TreeGroupsModel::storedPath(const QModelIndex& index) const
{
    if (!index.isValid())
        return QString();
    QJsonArray levels;
    for (const QStringList& texts : indexPath(index))
        levels.append(QJsonArray::fromStringList(texts));
    return QString::fromUtf8(QJsonDocument(levels).toJson(QJsonDocument::Compact));
}

QModelIndex TreeGroupsModel::storedIndex(const QString& stored) const
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(stored.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return textIndex(stored);
    Path path;
    for (const QJsonValue& level : document.array()) {
        if (!level.isArray())
            return QModelIndex();
        QStringList texts;
        for (const QJsonValue& text : level.toArray()) {
            if (!text.isString())
                return QModelIndex();
            texts << text.toString();
        }
        path << texts;
    }
    return pathIndex(path);
}

QModelIndex TreeGroupsModel::textIndex(const QString& text) const
{
    if (text.isEmpty())
        return QModelIndex();
    const QStringList parts = text.split(QLatin1Char(','));
    const QList<Groupment*> levels = groupmentList();
    const GroupmentTreeItem* item = rootItem();
    int at = 0;
    for (int level = 0; level < levels.size() && at < parts.size(); ++level) {
        const int n = levels.at(level)->keyParts();
        if (at + n > parts.size())
            return QModelIndex();
        const auto* group = dynamic_cast<const GroupmentGroup*>(levels.at(level));
        const QString key = group ? group->keyOf(parts.mid(at, n)) : parts.mid(at, n).join(QLatin1Char(','));
        at += n;
        const GroupmentTreeItem* child = item->childByKey(key);
        if (!child && levels.at(level)->keysAreRecordKeys()) {
            // Elements are not kept by key: find the record, then check that it hangs here.
            const GroupmentTreeItem* leaf
                = itemByIndex(indexByRecord(table() ? table()->findByKeyText(key) : Record()));
            child = leaf && leaf->parent() == item ? leaf : nullptr;
        }
        if (!child)
            return QModelIndex();
        item = child;
    }
    return at == parts.size() ? indexByItem(item) : QModelIndex();
}

QVariant TreeGroupsModel::groupData(const QModelIndex& index, int role) const
{
    const QModelIndex element = elementIndex(index);
    if (!element.isValid())
        return QVariant();
    return dataByRecord(recordByIndex(element), index.column(), role);
}

QFont TreeGroupsModel::groupFont(const QModelIndex& index, const QFont& base)
{
    const auto* model = qobject_cast<const TreeGroupsModel*>(index.model());
    const QVariant own = model ? model->itemByIndex(index)->data(index.column(), Qt::FontRole) : QVariant();
    QFont font = own.canConvert<QFont>() ? own.value<QFont>() : base;
    if (font.pointSizeF() > 0)
        font.setPointSize(qRound(font.pointSizeF() * 1.2));
    else
        font.setPixelSize(qRound(font.pixelSize() * 1.2));
    return font;
}

void TreeGroupsModel::store(Settings& settings) const
{
    Q_D(const TreeGroupsModel);
    settings.remove(SortColumnsKey);
    settings.beginWriteArray(SortColumnsKey, d->sortColumns.size());
    for (int i = 0; i < d->sortColumns.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("column"),
            headerData(d->sortColumns.at(i).column, Qt::Horizontal, ColumnNameRole).toString());
        settings.setValue(QStringLiteral("sortOrder"),
            d->sortColumns.at(i).order == Qt::DescendingOrder ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    }
    settings.endArray();
    write(settings);
}

void TreeGroupsModel::restore(const Settings& settings)
{
    Q_D(TreeGroupsModel);
    read(settings);
    // Read by full keys: the array's entries are "sortColumns/<1..size>/<key>".
    const int n = settings.value(SortColumnsKey + QStringLiteral("/size"), 0).toInt();
    for (int i = 1; i <= n; ++i) {
        const QString entry = QStringLiteral("%1/%2/").arg(SortColumnsKey).arg(i);
        const int column = columnIndex(settings.value(entry + QStringLiteral("column")).toString());
        const bool ascending = settings.value(entry + QStringLiteral("sortOrder")).toString() == QLatin1String("ASC");
        for (SortColumn& sort : d->sortColumns) {
            if (column >= 0 && sort.column == column)
                sort.order = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        }
    }
    if (!d->sortColumns.isEmpty())
        TreeIndexModel::setSort(d->sortColumns.first().column, d->sortColumns.first().order);
    build();
}

void TreeGroupsModel::add(const Record& record)
{
    if (filter(record))
        TreeIndexModel::add(record);
}

void TreeGroupsModel::update(const Record& record, int firstColumn, int lastColumn, int row)
{
    Q_D(TreeGroupsModel);
    GroupmentTreeItem* element = itemByRecord(record);
    if (!element || element->level() != groupmentList().size() - 1 || !filter(record)) {
        TreeIndexModel::update(record, firstColumn, lastColumn, row);
        return;
    }
    // A sort or group column reads the changed fields when its own field is among them (a column computed from
    // no field may read any).
    const auto reads = [&](int column) {
        const int field = tableColumn(column);
        return field < 0 || firstColumn < 0 || (field >= firstColumn && field <= lastColumn);
    };
    bool keys = false;
    for (const SortColumn& sort : qAsConst(d->sortColumns))
        keys = keys || reads(sort.column);
    for (const Group& group : qAsConst(d->groups)) {
        for (int column : group.columns)
            keys = keys || reads(column);
    }
    if (keys) {
        // The element may change its group or its place among its siblings. Moves repaint the groups they touch;
        // a first element that stays first changes what its groups show where they stand.
        const bool first = element->row() == 0;
        const GroupmentTreeItem* parent = element->parent();
        TreeIndexModel::update(record, firstColumn, lastColumn, row);
        GroupmentTreeItem* now = itemByRecord(record);
        if (first && now && now->parent() == parent && now->row() == 0 && itemSignals())
            refreshGroupsFrom(now->parent());
        return;
    }
    // Neither its group nor its place can change: its cells repaint where they are.
    int first = -1;
    int last = -1;
    mapColumnFromTable(firstColumn, lastColumn, first, last);
    const QPair<int, int> range = elementColumnRange();
    first = qMax(first, range.first);
    last = qMin(last, range.second);
    if (first < 0 || first > last || !itemSignals())
        return;
    emitItemChanged(element, first, last);
    if (element->row() == 0)
        refreshGroupsFrom(element->parent());
}

void TreeGroupsModel::sort(int column, Qt::SortOrder order)
{
    Q_D(TreeGroupsModel);
    if (column <= 0 || !isSortColumn(column) || sortColumnOrder(column) == order)
        return;
    for (SortColumn& sort : d->sortColumns) {
        if (sort.column == column)
            sort.order = order;
    }
    TreeIndexModel::setSort(d->sortColumns.first().column, d->sortColumns.first().order);
    // Items keep their identity through a sort: each index follows its own item.
    resort();
}

QString TreeGroupsModel::getClassName() const
{
    return QStringLiteral("TreeGroupsModel");
}

QVariant TreeGroupsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::TextAlignmentRole:
    case ItemLevelRole:
    case NestedItemRole:
    case GroupKeyRole:
        return TreeIndexModel::data(index, role);
    default:
        break;
    }
    const GroupmentTreeItem* item = itemByIndex(index);
    if (item->level() == groupmentList().size() - 1)
        return item->record().isNull() ? QVariant() : dataByRecord(item->record(), index.column(), role);
    if (role == Qt::FontRole)
        return groupFont(index, QApplication::font());
    return groupData(index, role);
}

Qt::ItemFlags TreeGroupsModel::flags(const QModelIndex& index) const
{
    // The root takes no flags of its own: views and Qt's model tester expect none.
    if (!index.isValid())
        return TreeIndexModel::flags(index);
    if (isElementLevel(index)) {
        // An element's first column is the group column, empty on its row.
        const Qt::ItemFlags element = Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
        return index.column() == 0 ? element : element | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
}

QVariant TreeGroupsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0) {
        if (role == Qt::DisplayRole)
            return QString();
        if (role == Qt::ToolTipRole)
            return tr("Свернуть/Развернуть");
    }
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole && isSortColumn(section))
        return int(sortColumnOrder(section));
    return TreeIndexModel::headerData(section, orientation, role);
}

// Group rows following their first element --------------------------------------------------------------------

void TreeGroupsModel::refreshGroupsFrom(GroupmentTreeItem* parent)
{
    const int last = columnCount() - 1;
    for (GroupmentTreeItem* group = parent; group && group != rootItem(); group = group->parent()) {
        emitItemChanged(group, 0, last);
        if (group->row() != 0)
            break;
    }
}

void TreeGroupsModel::childrenInserted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& items)
{
    if (!items.isEmpty() && parent->child(0) == items.first())
        refreshGroupsFrom(parent);
}

void TreeGroupsModel::childrenRemoved(GroupmentTreeItem* parent, int row, const QVector<GroupmentTreeItem*>&)
{
    if (row == 0)
        refreshGroupsFrom(parent);
}

void TreeGroupsModel::childMoved(GroupmentTreeItem* parent, int from, int to)
{
    if (from == 0 || to == 0)
        refreshGroupsFrom(parent);
}
