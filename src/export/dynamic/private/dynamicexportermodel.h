#pragma once

#include "basic_views_export.h"

#include <QAbstractTableModel>

class DynamicExporter;

// The running dynamic exports of every window, in start order: window title, interval, file. Exporters add and
// remove themselves as they start and stop (one row inserted or removed each).
class BASIC_VIEWS_EXPORT DynamicExporterModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { WindowColumn, IntervalColumn, FileColumn, ColumnCount };

    static DynamicExporterModel* instance();

    QList<DynamicExporter*> exporters() const { return m_exporters; }
    DynamicExporter* exporter(int row) const { return m_exporters.value(row); }
    // Ignored when listed already.
    void append(DynamicExporter* exporter);
    // Ignored when not listed.
    void remove(DynamicExporter* exporter);
    // "5 мин", "5 мин 30 сек", "45 сек".
    static QString intervalText(int seconds);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    DynamicExporterModel() = default;

    QList<DynamicExporter*> m_exporters; // not owned
};
