#include "models/filterrecordsmodel.h"

#include "models/private/filterrecordsmodel_p.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/icore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"
#include "models/private/concurrentsort.h"
#include "models/private/filterrecordsmimedata.h"

#include <QHash>

namespace {

Table* securitiesTable()
{
    ICore* core = ICore::instance();
    return core && core->tables() ? core->tables()->table(QStringLiteral("securities")) : nullptr;
}

const char* const Fields[] = { "stock_id", "board_id", "sec_name", "base_code", "sec_longname", "sec_code" };

} // namespace

FilterRecordsModel::FilterRecordsModel(ItemModelWithDelegates* model, QObject* parent)
    : QAbstractTableModel(parent)
    , IndexList(securitiesTable(), false)
    , m_d(new FilterRecordsModelPrivate)
{
    m_d->table = IndexList::table();
    m_d->model = model;
    for (const char* name : Fields)
        m_d->columns << (m_d->table ? m_d->table->columnIndex(QString::fromLatin1(name)) : -1);
}

const QList<int>& FilterRecordsModel::columnIndexes() const
{
    return m_d->columns;
}

int FilterRecordsModel::columnIndexAt(int field) const
{
    return m_d->columns.indexOf(field);
}

int FilterRecordsModel::sortColumn() const
{
    return m_d->sortColumn;
}

Qt::SortOrder FilterRecordsModel::sortOrder() const
{
    return m_d->sortOrder;
}

FilterRecordsModel::~FilterRecordsModel() = default;

ItemModelWithDelegates* FilterRecordsModel::model() const
{
    return m_d->model;
}

Table* FilterRecordsModel::table() const
{
    return m_d->table;
}

void FilterRecordsModel::setModel(ItemModelWithDelegates* model)
{
    beginResetModel();
    m_d->model = model;
    endResetModel();
}

QString FilterRecordsModel::getClassName() const
{
    return QString::fromLatin1(metaObject()->className());
}

// ---- order ----

int FilterRecordsModel::compare(const Record& a, const Record& b) const
{
    if (m_d->sortColumn < 0)
        return 0;
    const int field = m_d->columns.at(m_d->sortColumn);
    return m_d->sortOrder == Qt::AscendingOrder ? a.data(field).compare(b.data(field))
                                                : b.data(field).compare(a.data(field));
}

int FilterRecordsModel::lowerBound(const Record& record) const
{
    return m_list.partitionPoint([&](const Record& x) { return compare(x, record) < 0; });
}

int FilterRecordsModel::upperBound(const Record& record) const
{
    return m_list.partitionPoint([&](const Record& x) { return compare(x, record) <= 0; });
}

void FilterRecordsModel::sort(int column, Qt::SortOrder order)
{
    m_d->sortColumn = column >= 0 && column < m_d->columns.size() ? column : -1;
    m_d->sortOrder = order;
    if (m_d->sortColumn < 0)
        return;
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QList<QPair<Record, int>> saved;
    for (const QModelIndex& index : before)
        saved << qMakePair(at(index.row()), index.column());
    ConcurrentSort::sort(m_list.begin(), m_list.end(), LessThan { this });
    QHash<Record, int> rows;
    for (int row = 0; row < m_list.count(); ++row)
        rows.insert(at(row), row);
    QModelIndexList after;
    for (const auto& entry : qAsConst(saved))
        after << index(rows.value(entry.first), entry.second);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void FilterRecordsModel::move(int first, int last, int to)
{
    const int rows = m_list.count();
    if (first < 0 || last < first || last >= rows || to < 0 || to >= rows || (to >= first && to <= last))
        return;
    m_d->sortColumn = -1; // the rows as they stand become the user's order
    // `to` is where the rows stand afterwards; Qt counts the destination before the move.
    const int before = last < to ? to + 1 : to;
    beginMoveRows(QModelIndex(), first, last, QModelIndex(), before);
    m_list.move(first, last, before);
    endMoveRows();
}

// ---- membership ----

void FilterRecordsModel::insertHandle(const Record& record)
{
    const int p = m_d->handles.partitionPoint([&](const Record& x) { return std::less<Record>()(x, record); });
    m_d->handles.insert(p, record);
}

void FilterRecordsModel::removeHandle(const Record& record)
{
    const int p = m_d->handles.partitionPoint([&](const Record& x) { return std::less<Record>()(x, record); });
    if (m_d->handles.at(p) == record)
        m_d->handles.removeAt(p);
}

bool FilterRecordsModel::contains(const Record& record) const
{
    const int p = m_d->handles.partitionPoint([&](const Record& x) { return std::less<Record>()(x, record); });
    return !record.isNull() && m_d->handles.at(p) == record;
}

int FilterRecordsModel::indexOf_fast(const Record& record) const
{
    if (m_d->sortColumn < 0)
        return -1;
    for (int p = lowerBound(record); p < m_list.count() && compare(at(p), record) == 0; ++p) {
        if (at(p) == record)
            return p;
    }
    return -1;
}

int FilterRecordsModel::indexOf_full(const Record& record) const
{
    if (!m_d->table || record.isNull())
        return -1;
    const MasterIndex* keys = m_d->table->masterIndex();
    const auto it = std::find_if(
        m_list.begin(), m_list.end(), [&](const Record& x) { return keys->compareKeys(x, record) == 0; });
    return it == m_list.end() ? -1 : it.position();
}

int FilterRecordsModel::indexOf(const Record& record) const
{
    if (record.isNull())
        return -1;
    const int fast = indexOf_fast(record);
    return fast >= 0 ? fast : indexOf_full(record);
}

// ---- changes ----

void FilterRecordsModel::add(const Record& record)
{
    if (record.isNull() || contains(record))
        return;
    const int p = m_d->sortColumn < 0 ? m_list.count() : upperBound(record);
    beginInsertRows(QModelIndex(), p, p);
    m_list.insert(p, record);
    insertHandle(record);
    endInsertRows();
}

void FilterRecordsModel::remove(const Record& record, int)
{
    const int p = indexOf(record);
    if (p >= 0) {
        beginRemoveRows(QModelIndex(), p, p);
        const Record taken = at(p);
        m_list.removeAt(p);
        removeHandle(taken);
        endRemoveRows();
    }
    Q_EMIT removed(record);
}

bool FilterRecordsModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > m_list.count())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        const Record taken = at(row);
        m_list.removeAt(row);
        removeHandle(taken);
    }
    endRemoveRows();
    return true;
}

void FilterRecordsModel::clear()
{
    beginResetModel();
    m_list.clear();
    m_d->handles.clear();
    endResetModel();
}

QStringList FilterRecordsModel::toTextList() const
{
    QStringList texts;
    for (const Record& record : m_list)
        texts << record.toString();
    return texts;
}

void FilterRecordsModel::fromTextList(const QStringList& list)
{
    beginResetModel();
    m_d->sortColumn = -1; // the texts' order is the user's
    m_list.clear();
    m_d->handles.clear();
    for (const QString& text : list) {
        const Record record(m_d->table, text);
        if (record.isNull() || contains(record))
            continue;
        m_list.append(record);
        insertHandle(record);
    }
    endResetModel();
}

// ---- the item model ----

int FilterRecordsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.count();
}

int FilterRecordsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_d->columns.size();
}

QVariant FilterRecordsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int field = m_d->columns.at(index.column());
    switch (role) {
    case Qt::TextAlignmentRole:
        if (m_d->model)
            return int(m_d->model->columnAlignment(field));
        return int(
            ItemModelWithDelegates::columnTypeAlignment(m_d->table && field >= 0 ? m_d->table->columnType(field) : 0));
    case Qt::DisplayRole: {
        const Record& record = at(index.row());
        return m_d->model ? m_d->model->dataByRecord(record, field, Qt::DisplayRole) : record.data(field).toString();
    }
    default:
        return QVariant();
    }
}

QVariant FilterRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < m_d->columns.size()) {
        const int field = m_d->columns.at(section);
        if (m_d->model)
            return m_d->model->headerData(field, orientation, role);
        if (role == Qt::DisplayRole)
            return m_d->table && field >= 0 ? HostSchema::text(m_d->table->columnTitle(field)) : QString();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FilterRecordsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

Qt::DropActions FilterRecordsModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList FilterRecordsModel::mimeTypes() const
{
    return { FilterRecordsMimeData::mimeType() };
}

QMimeData* FilterRecordsModel::mimeData(const QModelIndexList& indexes) const
{
    return indexes.isEmpty() ? nullptr : new FilterRecordsMimeData(indexes);
}

bool FilterRecordsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&)
{
    const auto* dragged = qobject_cast<const FilterRecordsMimeData*>(data);
    if (!dragged || action != Qt::MoveAction)
        return false;
    return dragged->moveRows(
        this, row, [this](int from, int before) { move(from, from, before < from ? before : before - 1); });
}
