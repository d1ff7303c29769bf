#include "export/exporterproxymodel.h"

#include "columns/itemmodelwithdelegates.h"

ExporterProxyModel::ExporterProxyModel(QObject* parent)
    : QAbstractTableModel(parent)
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
    beginResetModel();
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = model;
    m_records = qobject_cast<const ItemModelWithDelegates*>(model);
    m_snapshot.clear();
    connectSource();
    endResetModel();
}

void ExporterProxyModel::setSourceColumns(const QList<int>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void ExporterProxyModel::connectSource()
{
    if (!m_source)
        return;
    using M = QAbstractItemModel;
    const auto about = &ExporterProxyModel::onSourceAboutToChange;
    const auto done = &ExporterProxyModel::onSourceChanged;
    connect(m_source, &M::modelAboutToBeReset, this, about);
    connect(m_source, &M::modelReset, this, done);
    connect(m_source, &M::layoutAboutToBeChanged, this, about);
    connect(m_source, &M::layoutChanged, this, done);
    connect(m_source, &M::rowsAboutToBeInserted, this, about);
    connect(m_source, &M::rowsInserted, this, done);
    connect(m_source, &M::rowsAboutToBeRemoved, this, about);
    connect(m_source, &M::rowsRemoved, this, done);
    connect(m_source, &M::rowsAboutToBeMoved, this, about);
    connect(m_source, &M::rowsMoved, this, done);
    connect(m_source, &M::columnsAboutToBeInserted, this, about);
    connect(m_source, &M::columnsInserted, this, done);
    connect(m_source, &M::columnsAboutToBeRemoved, this, about);
    connect(m_source, &M::columnsRemoved, this, done);
    connect(m_source, &M::dataChanged, this, &ExporterProxyModel::onSourceDataChanged);
}

// While exporting the snapshot stands; otherwise any structural change of the source is a reset here.
void ExporterProxyModel::onSourceAboutToChange()
{
    if (m_exporting || m_resetting)
        return;
    m_resetting = true;
    beginResetModel();
}

void ExporterProxyModel::onSourceChanged()
{
    if (!m_resetting)
        return;
    m_resetting = false;
    endResetModel();
}

void ExporterProxyModel::onSourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (m_exporting || m_resetting || m_columns.isEmpty() || topLeft.parent().isValid())
        return;
    Q_EMIT dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), m_columns.size() - 1));
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
    m_exporting = true;
    m_snapshot.clear();
    if (!m_source || !m_records)
        return;
    m_sourceColumns = m_source->columnCount();
    m_snapshot = snapshotRows();
}

QVector<Record> ExporterProxyModel::snapshotRows()
{
    QVector<Record> rows;
    const int count = m_source->rowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row)
        rows.append(m_records->recordByIndex(m_source->index(row, 0)));
    return rows;
}

Record ExporterProxyModel::snapshotRecord(int, int, const Record& rowRecord) const
{
    return rowRecord;
}

void ExporterProxyModel::endExport()
{
    m_exporting = false;
    m_snapshot.clear();
    m_snapshot.squeeze();
}

int ExporterProxyModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_source)
        return 0;
    if (m_exporting && m_records)
        return m_snapshot.size();
    return m_source->rowCount();
}

int ExporterProxyModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

int ExporterProxyModel::mapColumnToSource(int column) const
{
    return m_columns.value(column, -1);
}

QModelIndex ExporterProxyModel::mapToSource(const QModelIndex& index) const
{
    if (!m_source || !index.isValid())
        return QModelIndex();
    return m_source->index(index.row(), mapColumnToSource(index.column()));
}

QVariant ExporterProxyModel::data(const QModelIndex& index, int role) const
{
    if (!m_source || !index.isValid() || index.column() >= m_columns.size())
        return QVariant();
    const int column = mapColumnToSource(index.column());
    if (m_exporting && m_records) {
        if (index.row() >= m_snapshot.size() || column < 0 || column >= m_sourceColumns)
            return QVariant();
        return m_records->dataByRecord(snapshotRecord(index.row(), column, m_snapshot.at(index.row())), column, role);
    }
    if (index.row() >= rowCount() || column < 0 || column >= m_source->columnCount())
        return QVariant();
    return m_source->data(mapToSource(index), role);
}

QVariant ExporterProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_source || orientation != Qt::Horizontal)
        return QVariant();
    return m_source->headerData(mapColumnToSource(section), Qt::Horizontal, role);
}
