#include "export/dynamic/private/dynamicexportermodel.h"

#include "export/dynamic/dynamicexporter.h"

#include <QCoreApplication>
#include <QPointer>

DynamicExporterModel* DynamicExporterModel::instance()
{
    // Lives as long as the application; exporters leave it before they go. A later application gets a new one.
    static QPointer<DynamicExporterModel> model;
    if (!model) {
        model = new DynamicExporterModel;
        model->setParent(QCoreApplication::instance());
    }
    return model;
}

void DynamicExporterModel::append(DynamicExporter* exporter)
{
    if (!exporter || m_exporters.contains(exporter))
        return;
    const int row = m_exporters.size();
    beginInsertRows(QModelIndex(), row, row);
    m_exporters << exporter;
    endInsertRows();
}

void DynamicExporterModel::remove(DynamicExporter* exporter)
{
    const int row = m_exporters.indexOf(exporter);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_exporters.removeAt(row);
    endRemoveRows();
}

QString DynamicExporterModel::intervalText(int seconds)
{
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    const QString minutesText = tr("%1 мин").arg(minutes);
    const QString secondsText = tr("%1 сек").arg(rest);
    if (minutes != 0 && rest != 0)
        return minutesText + QLatin1Char(' ') + secondsText;
    return minutes != 0 ? minutesText : secondsText;
}

int DynamicExporterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_exporters.size();
}

int DynamicExporterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DynamicExporterModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const DynamicExporter* exporter = m_exporters.at(index.row());
    switch (index.column()) {
    case WindowColumn:
        return exporter->title();
    case IntervalColumn:
        return intervalText(exporter->interval());
    case FileColumn:
        return exporter->fileName();
    }
    return QVariant();
}

QVariant DynamicExporterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case WindowColumn:
        return tr("Окно");
    case IntervalColumn:
        return tr("Интервал");
    case FileColumn:
        return tr("Путь к файлу");
    }
    return QVariant();
}
