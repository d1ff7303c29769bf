#include "views/readinghold/heldrowsmodel.h"

#include "models/tableindexmodel.h"

HeldRowsModel::HeldRowsModel(TableIndexModel* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_source(source)
{
    connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this, &HeldRowsModel::onRowsAboutToBeInserted);
    connect(source, &QAbstractItemModel::rowsInserted, this, &HeldRowsModel::onRowsInserted);
    connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this, &HeldRowsModel::onRowsAboutToBeRemoved);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &HeldRowsModel::onRowsRemoved);
    connect(source, &QAbstractItemModel::rowsAboutToBeMoved, this, &HeldRowsModel::onRowsAboutToBeMoved);
    connect(source, &QAbstractItemModel::rowsMoved, this, &HeldRowsModel::onRowsMoved);
    connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this, &HeldRowsModel::onLayoutAboutToBeChanged);
    connect(source, &QAbstractItemModel::layoutChanged, this, &HeldRowsModel::onLayoutChanged);
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &HeldRowsModel::onModelAboutToBeReset);
    connect(source, &QAbstractItemModel::modelReset, this, &HeldRowsModel::onModelReset);
    connect(source, &QAbstractItemModel::dataChanged, this, &HeldRowsModel::onDataChanged);
    connect(source, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
    // A source that goes takes every row with it.
    connect(source, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_rows.clear();
        m_held = false;
        endResetModel();
    });
}

TableIndexModel* HeldRowsModel::source() const
{
    return m_source;
}

void HeldRowsModel::hold()
{
    if (m_held || !m_source)
        return;
    const int count = m_source->rowCount();
    m_rows.resize(count);
    for (int row = 0; row < count; ++row)
        m_rows[row] = m_source->at(row);
    m_held = true;
    m_pending = 0;
    Q_EMIT heldChanged(true);
}

void HeldRowsModel::release()
{
    if (!m_held)
        return;
    // Rows came, went and moved: the catch-up is a new order of a new row count, which only a reset can say.
    beginResetModel();
    m_held = false;
    m_rows.clear();
    m_rows.squeeze();
    endResetModel();
    addPending(-m_pending);
    Q_EMIT heldChanged(false);
}

void HeldRowsModel::addPending(int count)
{
    if (count == 0)
        return;
    m_pending += count;
    Q_EMIT pendingChangesChanged(m_pending);
}

Record HeldRowsModel::recordAt(int row) const
{
    if (m_held)
        return row >= 0 && row < m_rows.size() ? m_rows.at(row) : Record();
    return m_source && row >= 0 && row < m_source->rowCount() ? m_source->at(row) : Record();
}

int HeldRowsModel::rowOf(const Record& record) const
{
    if (!m_held)
        return m_source ? m_source->indexOf(record) : -1;
    return m_rows.indexOf(record);
}

int HeldRowsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_source)
        return 0;
    return m_held ? m_rows.size() : m_source->rowCount();
}

int HeldRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_source ? 0 : m_source->columnCount();
}

QVariant HeldRowsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || !m_source)
        return QVariant();
    if (!m_held)
        return m_source->data(m_source->index(index.row(), index.column()), role);
    return m_source->dataByRecord(m_rows.at(index.row()), index.column(), role);
}

QVariant HeldRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_source ? m_source->headerData(section, orientation, role) : QVariant();
}

QModelIndex HeldRowsModel::sourceIndex(const QModelIndex& index) const
{
    if (!index.isValid() || !m_source)
        return QModelIndex();
    return m_held ? m_source->indexByRecord(m_rows.value(index.row()), index.column())
                  : m_source->index(index.row(), index.column());
}

Qt::ItemFlags HeldRowsModel::flags(const QModelIndex& index) const
{
    const QModelIndex source = sourceIndex(index);
    if (source.isValid())
        return m_source->flags(source);
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool HeldRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const QModelIndex source = sourceIndex(index);
    return source.isValid() && m_source->setData(source, value, role);
}

QStringList HeldRowsModel::mimeTypes() const
{
    return m_source ? m_source->mimeTypes() : QStringList();
}

QMimeData* HeldRowsModel::mimeData(const QModelIndexList& indexes) const
{
    QModelIndexList sources;
    for (const QModelIndex& index : indexes) {
        const QModelIndex source = sourceIndex(index);
        if (source.isValid())
            sources << source;
    }
    return sources.isEmpty() ? nullptr : m_source->mimeData(sources);
}

Qt::DropActions HeldRowsModel::supportedDragActions() const
{
    return m_source ? m_source->supportedDragActions() : Qt::DropActions();
}

Qt::DropActions HeldRowsModel::supportedDropActions() const
{
    return m_source ? m_source->supportedDropActions() : Qt::DropActions();
}

bool HeldRowsModel::dropMimeData(
    const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    if (!m_source)
        return false;
    // Rows and a parent of this model name records; after the catch-up they name the source's rows of them.
    const Record onto = parent.isValid() ? recordAt(parent.row()) : Record();
    const Record before = row >= 0 && row < rowCount() ? recordAt(row) : Record();
    release();
    const int ontoRow = onto.isNull() ? -1 : m_source->indexOf(onto);
    if (parent.isValid() && ontoRow < 0)
        return false;
    const int beforeRow = before.isNull() ? -1 : m_source->indexOf(before);
    return m_source->dropMimeData(data, action, parent.isValid() ? -1 : beforeRow, column,
        parent.isValid() ? m_source->index(ontoRow, qMax(0, parent.column())) : QModelIndex());
}

void HeldRowsModel::sort(int column, Qt::SortOrder order)
{
    release();
    if (m_source)
        m_source->sort(column, order);
}

void HeldRowsModel::onRowsAboutToBeInserted(const QModelIndex&, int first, int last)
{
    if (!m_held)
        beginInsertRows(QModelIndex(), first, last);
}

void HeldRowsModel::onRowsInserted(const QModelIndex&, int first, int last)
{
    if (m_held)
        addPending(last - first + 1);
    else
        endInsertRows();
}

void HeldRowsModel::onRowsAboutToBeRemoved(const QModelIndex&, int first, int last)
{
    if (!m_held)
        beginRemoveRows(QModelIndex(), first, last);
}

void HeldRowsModel::onRowsRemoved(const QModelIndex&, int first, int last)
{
    if (m_held)
        addPending(last - first + 1);
    else
        endRemoveRows();
}

void HeldRowsModel::onRowsAboutToBeMoved(const QModelIndex&, int first, int last, const QModelIndex&, int row)
{
    if (m_held)
        addPending(last - first + 1);
    else
        beginMoveRows(QModelIndex(), first, last, QModelIndex(), row);
}

void HeldRowsModel::onRowsMoved()
{
    if (!m_held)
        endMoveRows();
}

void HeldRowsModel::onLayoutAboutToBeChanged()
{
    if (m_held) {
        addPending(1);
        return;
    }
    Q_EMIT layoutAboutToBeChanged();
    m_layoutProxy = persistentIndexList();
    m_layoutSource.clear();
    for (const QModelIndex& index : qAsConst(m_layoutProxy))
        m_layoutSource << QPersistentModelIndex(m_source->index(index.row(), index.column()));
}

void HeldRowsModel::onLayoutChanged()
{
    if (m_held)
        return;
    QModelIndexList moved;
    for (const QPersistentModelIndex& source : qAsConst(m_layoutSource))
        moved << (source.isValid() ? index(source.row(), source.column()) : QModelIndex());
    changePersistentIndexList(m_layoutProxy, moved);
    m_layoutProxy.clear();
    m_layoutSource.clear();
    Q_EMIT layoutChanged();
}

void HeldRowsModel::onModelAboutToBeReset()
{
    // A rebuild (a filter, a new sort) is the user's own doing: it is shown at once.
    beginResetModel();
}

void HeldRowsModel::onModelReset()
{
    const bool wasHeld = m_held;
    m_held = false;
    m_rows.clear();
    endResetModel();
    addPending(-m_pending);
    if (wasHeld)
        Q_EMIT heldChanged(false);
}

void HeldRowsModel::onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    if (!m_held) {
        Q_EMIT dataChanged(
            index(topLeft.row(), topLeft.column()), index(bottomRight.row(), bottomRight.column()), roles);
        return;
    }
    // Where the changed records stand now in the held order is not worth a search per change: the view repaints
    // only the cells it shows.
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, topLeft.column()), index(m_rows.size() - 1, bottomRight.column()), roles);
}
