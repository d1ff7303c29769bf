#include "export/exporterproxymodel.h"
#include "export/private/exporterproxymodel_p.h"

#include "columns/itemmodelwithdelegates.h"

ExporterProxyModel::ExporterProxyModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new ExporterProxyModelPrivate)
{ }

ExporterProxyModel::~ExporterProxyModel() = default;

QSharedPointer<ExporterProxyModel> ExporterProxyModel::create(const QAbstractItemModel* source, QList<int> columns)
{
    if (columns.isEmpty() && source) {
        for (int c = 0; c < source->columnCount(); ++c)
            columns << c;
    }
    QSharedPointer<ExporterProxyModel> proxy(new ExporterProxyModel);
    proxy->setSourceModel(source);
    proxy->setSourceColumns(columns);
    return proxy;
}

void ExporterProxyModel::setSourceModel(const QAbstractItemModel* model)
{
    Q_D(ExporterProxyModel);
    beginResetModel();
    if (d->source)
        disconnect(d->source, nullptr, this, nullptr);
    d->source = model;
    d->records = qobject_cast<const ItemModelWithDelegates*>(model);
    d->snapshot.clear();
    connectSource();
    endResetModel();
}

void ExporterProxyModel::setSourceColumns(const QList<int>& columns)
{
    Q_D(ExporterProxyModel);
    beginResetModel();
    d->columns = columns;
    endResetModel();
}

void ExporterProxyModel::connectSource()
{
    Q_D(ExporterProxyModel);
    if (!d->source)
        return;
    using M = QAbstractItemModel;
    const auto about = &ExporterProxyModel::onSourceAboutToChange;
    const auto done = &ExporterProxyModel::onSourceChanged;
    connect(d->source, &M::modelAboutToBeReset, this, about);
    connect(d->source, &M::modelReset, this, done);
    connect(d->source, &M::layoutAboutToBeChanged, this, about);
    connect(d->source, &M::layoutChanged, this, done);
    connect(d->source, &M::rowsAboutToBeInserted, this, about);
    connect(d->source, &M::rowsInserted, this, done);
    connect(d->source, &M::rowsAboutToBeRemoved, this, about);
    connect(d->source, &M::rowsRemoved, this, done);
    connect(d->source, &M::rowsAboutToBeMoved, this, about);
    connect(d->source, &M::rowsMoved, this, done);
    connect(d->source, &M::columnsAboutToBeInserted, this, about);
    connect(d->source, &M::columnsInserted, this, done);
    connect(d->source, &M::columnsAboutToBeRemoved, this, about);
    connect(d->source, &M::columnsRemoved, this, done);
    connect(d->source, &M::dataChanged, this, &ExporterProxyModel::onSourceDataChanged);
}

// While exporting the snapshot stands; otherwise any structural change of the source is a reset here.
void ExporterProxyModel::onSourceAboutToChange()
{
    Q_D(ExporterProxyModel);
    if (d->exporting || d->resetting)
        return;
    d->resetting = true;
    beginResetModel();
}

void ExporterProxyModel::onSourceChanged()
{
    Q_D(ExporterProxyModel);
    if (!d->resetting)
        return;
    d->resetting = false;
    endResetModel();
}

void ExporterProxyModel::onSourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    Q_D(ExporterProxyModel);
    if (d->exporting || d->resetting || d->columns.isEmpty() || topLeft.parent().isValid())
        return;
    Q_EMIT dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), d->columns.size() - 1));
}

void ExporterProxyModel::enterExport()
{
    beginResetModel();
    beginExport();
    endResetModel();
}

void ExporterProxyModel::leaveExport()
{
    beginResetModel();
    endExport();
    endResetModel();
}

void ExporterProxyModel::beginExport()
{
    Q_D(ExporterProxyModel);
    d->exporting = true;
    d->snapshot.clear();
    if (!d->source || !d->records)
        return;
    d->sourceColumns = d->source->columnCount();
    d->snapshot = snapshotRows();
}

QVector<Record> ExporterProxyModel::snapshotRows()
{
    Q_D(ExporterProxyModel);
    QVector<Record> rows;
    const int count = d->source->rowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row)
        rows.append(d->records->recordByIndex(d->source->index(row, 0)));
    return rows;
}

Record ExporterProxyModel::snapshotRecord(int, int, const Record& rowRecord) const
{
    return rowRecord;
}

void ExporterProxyModel::endExport()
{
    Q_D(ExporterProxyModel);
    d->exporting = false;
    d->snapshot.clear();
    d->snapshot.squeeze();
}

int ExporterProxyModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const ExporterProxyModel);
    if (parent.isValid() || !d->source)
        return 0;
    if (d->exporting && d->records)
        return d->snapshot.size();
    return d->source->rowCount();
}

int ExporterProxyModel::columnCount(const QModelIndex& parent) const
{
    Q_D(const ExporterProxyModel);
    return parent.isValid() ? 0 : d->columns.size();
}

int ExporterProxyModel::mapColumnToSource(int column) const
{
    Q_D(const ExporterProxyModel);
    return d->columns.value(column, -1);
}

QModelIndex ExporterProxyModel::mapToSource(const QModelIndex& index) const
{
    Q_D(const ExporterProxyModel);
    if (!d->source || !index.isValid())
        return QModelIndex();
    return d->source->index(index.row(), mapColumnToSource(index.column()));
}

QVariant ExporterProxyModel::data(const QModelIndex& index, int role) const
{
    Q_D(const ExporterProxyModel);
    if (!d->source || !index.isValid() || index.column() >= d->columns.size())
        return QVariant();
    const int column = mapColumnToSource(index.column());
    if (d->exporting && d->records) {
        if (index.row() >= d->snapshot.size() || column < 0 || column >= d->sourceColumns)
            return QVariant();
        return d->records->dataByRecord(snapshotRecord(index.row(), column, d->snapshot.at(index.row())), column, role);
    }
    if (index.row() >= rowCount() || column < 0 || column >= d->source->columnCount())
        return QVariant();
    return d->source->data(mapToSource(index), role);
}

QVariant ExporterProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    Q_D(const ExporterProxyModel);
    if (!d->source || orientation != Qt::Horizontal)
        return QVariant();
    return d->source->headerData(mapColumnToSource(section), Qt::Horizontal, role);
}

const QAbstractItemModel* ExporterProxyModel::sourceModel() const
{
    return d_func()->source;
}

QList<int> ExporterProxyModel::sourceColumns() const
{
    return d_func()->columns;
}

bool ExporterProxyModel::isExporting() const
{
    return d_func()->exporting;
}

bool ExporterProxyModel::isReadableConcurrently() const
{
    return d_func()->exporting && d_func()->records;
}
