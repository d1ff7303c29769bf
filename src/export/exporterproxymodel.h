#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QVector>

class ItemModelWithDelegates;
class ExporterProxyModelPrivate;

// The chosen columns of a window's model as a flat table, for export. The proxy never owns its source; once
// the source is gone it shows no source.
//
// A live window changes while an export writes it (the exporter lets the event loop run). Between
// beginExport() and endExport() the proxy therefore shows the rows the source had when the export began, each
// once, in that order: for the library's record models it holds those rows' record handles (cheap: records are
// shared) and reads each row's values as they are when it is written, even when the row has since left the
// window. Other sources are read live. Outside an export every change of the source reaches the proxy as a
// model reset (row changes as dataChanged), so views and testers see a consistent model.
class BASIC_VIEWS_EXPORT ExporterProxyModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ExporterProxyModel)
public:
    explicit ExporterProxyModel(QObject* parent = nullptr);
    ~ExporterProxyModel() override;
    // A proxy of the source's columns, in the given order; every column when none are given.
    static QSharedPointer<ExporterProxyModel> create(const QAbstractItemModel* source, QList<int> columns = {});

    // One model reset each.
    void setSourceModel(const QAbstractItemModel* model);
    void setSourceColumns(const QList<int>& columns);
    // Null once the source is gone.
    const QAbstractItemModel* sourceModel() const;
    QList<int> sourceColumns() const;

    // What the exporter and the clipboard copy call around the writing of the rows: beginExport() or
    // endExport() inside one model reset each.
    void enterExport();
    void leaveExport();
    // Prepare the source for a flat export and release it afterwards.
    virtual void beginExport();
    virtual void endExport();
    bool isExporting() const;
    // While it exports the held records of a record model, data() may be called from several threads at once:
    // it only reads those records through the source's column definitions, which nothing changes meanwhile.
    bool isReadableConcurrently() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    // The records the export's rows stand for, taken as the export begins: by default the source's rows.
    virtual QVector<Record> snapshotRows();
    // The record whose value a row shows in `sourceColumn` while exporting; by default the row's own record.
    virtual Record snapshotRecord(int row, int sourceColumn, const Record& rowRecord) const;
    virtual QModelIndex mapToSource(const QModelIndex& index) const;
    virtual int mapColumnToSource(int column) const;

private:
    void connectSource();
    void onSourceAboutToChange();
    void onSourceChanged();
    void onSourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    QScopedPointer<ExporterProxyModelPrivate> m_d;
};
