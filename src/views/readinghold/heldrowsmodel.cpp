#include "views/readinghold/heldrowsmodel.h"

#include "models/tableindexmodel.h"
#include "views/readinghold/private/heldrowsmodel_p.h"

HeldRowsModel::HeldRowsModel(TableIndexModel* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new HeldRowsModelPrivate)
{
    Q_D(HeldRowsModel);
    d->source = source;
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
        d_func()->rows.clear();
        d_func()->held = false;
        endResetModel();
    });
}

HeldRowsModel::~HeldRowsModel() = default;

bool HeldRowsModel::isHeld() const
{
    Q_D(const HeldRowsModel);
    return d->held;
}

int HeldRowsModel::pendingChanges() const
{
    Q_D(const HeldRowsModel);
    return d->pending;
}

TableIndexModel* HeldRowsModel::source() const
{
    Q_D(const HeldRowsModel);
    return d->source;
}

void HeldRowsModel::hold()
{
    Q_D(HeldRowsModel);
    if (d->held || !d->source)
        return;
    const int count = d->source->rowCount();
    d->rows.resize(count);
    for (int row = 0; row < count; ++row)
        d->rows[row] = d->source->at(row);
    d->held = true;
    d->pending = 0;
    Q_EMIT heldChanged(true);
}

void HeldRowsModel::release()
{
    Q_D(HeldRowsModel);
    if (!d->held)
        return;
    // Rows came, went and moved: the catch-up is a new order of a new row count, which only a reset can say.
    beginResetModel();
    d->held = false;
    d->rows.clear();
    d->rows.squeeze();
    endResetModel();
    addPending(-d->pending);
    Q_EMIT heldChanged(false);
}

void HeldRowsModel::addPending(int count)
{
    Q_D(HeldRowsModel);
    if (count == 0)
        return;
    d->pending += count;
    Q_EMIT pendingChangesChanged(d->pending);
}

Record HeldRowsModel::recordAt(int row) const
{
    Q_D(const HeldRowsModel);
    if (d->held)
        return row >= 0 && row < d->rows.size() ? d->rows.at(row) : Record();
    return d->source && row >= 0 && row < d->source->rowCount() ? d->source->at(row) : Record();
}

int HeldRowsModel::rowOf(const Record& record) const
{
    Q_D(const HeldRowsModel);
    if (!d->held)
        return d->source ? d->source->indexOf(record) : -1;
    return d->rows.indexOf(record);
}

int HeldRowsModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const HeldRowsModel);
    if (parent.isValid() || !d->source)
        return 0;
    return d->held ? d->rows.size() : d->source->rowCount();
}

int HeldRowsModel::columnCount(const QModelIndex& parent) const
{
    Q_D(const HeldRowsModel);
    return parent.isValid() || !d->source ? 0 : d->source->columnCount();
}

QVariant HeldRowsModel::data(const QModelIndex& index, int role) const
{
    Q_D(const HeldRowsModel);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || !d->source)
        return QVariant();
    if (!d->held)
        return d->source->data(d->source->index(index.row(), index.column()), role);
    return d->source->dataByRecord(d->rows.at(index.row()), index.column(), role);
}

QVariant HeldRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    Q_D(const HeldRowsModel);
    return d->source ? d->source->headerData(section, orientation, role) : QVariant();
}

QModelIndex HeldRowsModel::sourceIndex(const QModelIndex& index) const
{
    Q_D(const HeldRowsModel);
    if (!index.isValid() || !d->source)
        return QModelIndex();
    return d->held ? d->source->indexByRecord(d->rows.value(index.row()), index.column())
                   : d->source->index(index.row(), index.column());
}

Qt::ItemFlags HeldRowsModel::flags(const QModelIndex& index) const
{
    Q_D(const HeldRowsModel);
    const QModelIndex source = sourceIndex(index);
    if (source.isValid())
        return d->source->flags(source);
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool HeldRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Q_D(HeldRowsModel);
    const QModelIndex source = sourceIndex(index);
    return source.isValid() && d->source->setData(source, value, role);
}

QStringList HeldRowsModel::mimeTypes() const
{
    Q_D(const HeldRowsModel);
    return d->source ? d->source->mimeTypes() : QStringList();
}

QMimeData* HeldRowsModel::mimeData(const QModelIndexList& indexes) const
{
    Q_D(const HeldRowsModel);
    QModelIndexList sources;
    for (const QModelIndex& index : indexes) {
        const QModelIndex source = sourceIndex(index);
        if (source.isValid())
            sources << source;
    }
    return sources.isEmpty() ? nullptr : d->source->mimeData(sources);
}

Qt::DropActions HeldRowsModel::supportedDragActions() const
{
    Q_D(const HeldRowsModel);
    return d->source ? d->source->supportedDragActions() : Qt::DropActions();
}

Qt::DropActions HeldRowsModel::supportedDropActions() const
{
    Q_D(const HeldRowsModel);
    return d->source ? d->source->supportedDropActions() : Qt::DropActions();
}

bool HeldRowsModel::dropMimeData(
    const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    Q_D(HeldRowsModel);
    if (!d->source)
        return false;
    // Rows and a parent of this model name records; after the catch-up they name the source's rows of them.
    const Record onto = parent.isValid() ? recordAt(parent.row()) : Record();
    const Record before = row >= 0 && row < rowCount() ? recordAt(row) : Record();
    release();
    const int ontoRow = onto.isNull() ? -1 : d->source->indexOf(onto);
    if (parent.isValid() && ontoRow < 0)
        return false;
    const int beforeRow = before.isNull() ? -1 : d->source->indexOf(before);
    return d->source->dropMimeData(data, action, parent.isValid() ? -1 : beforeRow, column,
        parent.isValid() ? d->source->index(ontoRow, qMax(0, parent.column())) : QModelIndex());
}

void HeldRowsModel::sort(int column, Qt::SortOrder order)
{
    Q_D(HeldRowsModel);
    release();
    if (d->source)
        d->source->sort(column, order);
}

void HeldRowsModel::onRowsAboutToBeInserted(const QModelIndex&, int first, int last)
{
    Q_D(HeldRowsModel);
    if (!d->held)
        beginInsertRows(QModelIndex(), first, last);
}

void HeldRowsModel::onRowsInserted(const QModelIndex&, int first, int last)
{
    Q_D(HeldRowsModel);
    if (d->held)
        addPending(last - first + 1);
    else
        endInsertRows();
}

void HeldRowsModel::onRowsAboutToBeRemoved(const QModelIndex&, int first, int last)
{
    Q_D(HeldRowsModel);
    if (!d->held)
        beginRemoveRows(QModelIndex(), first, last);
}

void HeldRowsModel::onRowsRemoved(const QModelIndex&, int first, int last)
{
    Q_D(HeldRowsModel);
    if (d->held)
        addPending(last - first + 1);
    else
        endRemoveRows();
}

void HeldRowsModel::onRowsAboutToBeMoved(const QModelIndex&, int first, int last, const QModelIndex&, int row)
{
    Q_D(HeldRowsModel);
    if (d->held)
        addPending(last - first + 1);
    else
        beginMoveRows(QModelIndex(), first, last, QModelIndex(), row);
}

void HeldRowsModel::onRowsMoved()
{
    Q_D(HeldRowsModel);
    if (!d->held)
        endMoveRows();
}

void HeldRowsModel::onLayoutAboutToBeChanged()
{
    Q_D(HeldRowsModel);
    if (d->held) {
        addPending(1);
        return;
    }
    Q_EMIT layoutAboutToBeChanged();
    d->layoutProxy = persistentIndexList();
    d->layoutSource.clear();
    for (const QModelIndex& index : qAsConst(d->layoutProxy))
        d->layoutSource << QPersistentModelIndex(d->source->index(index.row(), index.column()));
}

void HeldRowsModel::onLayoutChanged()
{
    Q_D(HeldRowsModel);
    if (d->held)
        return;
    QModelIndexList moved;
    for (const QPersistentModelIndex& source : qAsConst(d->layoutSource))
        moved << (source.isValid() ? index(source.row(), source.column()) : QModelIndex());
    changePersistentIndexList(d->layoutProxy, moved);
    d->layoutProxy.clear();
    d->layoutSource.clear();
    Q_EMIT layoutChanged();
}

void HeldRowsModel::onModelAboutToBeReset()
{
    // A rebuild (a filter, a new sort) is the user's own doing: it is shown at once.
    beginResetModel();
}

void HeldRowsModel::onModelReset()
{
    Q_D(HeldRowsModel);
    const bool wasHeld = d->held;
    d->held = false;
    d->rows.clear();
    endResetModel();
    addPending(-d->pending);
    if (wasHeld)
        Q_EMIT heldChanged(false);
}

void HeldRowsModel::onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    Q_D(HeldRowsModel);
    if (!d->held) {
        Q_EMIT dataChanged(
            index(topLeft.row(), topLeft.column()), index(bottomRight.row(), bottomRight.column()), roles);
        return;
    }
    // Where the changed records stand now in the held order is not worth a search per change: the view repaints
    // only the cells it shows.
    if (!d->rows.isEmpty())
        Q_EMIT dataChanged(index(0, topLeft.column()), index(d->rows.size() - 1, bottomRight.column()), roles);
}
