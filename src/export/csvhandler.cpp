#include "export/csvhandler.h"

#include "columns/itemroles.h"
#include "core/db/decimal.h"
#include "export/exporttext.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QIODevice>

QByteArray CSVHandler::format() const
{
    return QByteArrayLiteral("csv");
}

QString CSVHandler::filterName()
{
    return tr("Текстовый файл с разделителями запятыми");
}

QString CSVHandler::filterString() const
{
    return filterName();
}

bool CSVHandler::begin(QIODevice* device, QAbstractItemModel* model)
{
    m_model = model;
    m_device = device;
    m_rows.reset(model, [this](int row) { return formatRow(row); });
    return true;
}

bool CSVHandler::writeHeader()
{
    QString line;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (column > 0)
            line += QLatin1Char(';');
        line += escaped(m_model->headerData(column, Qt::Horizontal, ColumnNameRole).toString());
    }
    line += QLatin1Char('\n');
    return write(QByteArrayLiteral("\xEF\xBB\xBF") + line.toUtf8());
}

QByteArray CSVHandler::formatRow(int row) const
{
    QString line;
    const int columns = m_model->columnCount();
    for (int column = 0; column < columns; ++column) {
        const QModelIndex index = m_model->index(row, column);
        QVariant value = m_model->data(index, Qt::UserRole);
        if (value.isNull())
            value = m_model->data(index, Qt::DisplayRole);
        if (column > 0)
            line += QLatin1Char(';');
        line += fieldText(value);
    }
    line += QLatin1Char('\n');
    return line.toUtf8();
}

bool CSVHandler::writeRow(int row)
{
    return write(m_rows.take(row));
}

bool CSVHandler::writeFooter()
{
    return true;
}

void CSVHandler::end()
{
    m_rows.clear();
    m_model = nullptr;
    m_device = nullptr;
}

QString CSVHandler::lastError()
{
    return m_device ? m_device->errorString() : QString();
}

bool CSVHandler::write(const QByteArray& bytes)
{
    return m_device->write(bytes) == bytes.size();
}

QString CSVHandler::fieldText(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QDateTime:
        return ExportText::dateTime(value.toDateTime(), false, QLatin1Char(':'));
    case QMetaType::QDate:
        return ExportText::date(value.toDate(), ExportText::DateOrder::DayFirst);
    default:
        if (value.userType() == qMetaTypeId<decimal>())
            return escaped(value.value<decimal>().toString());
        return escaped(value.toString());
    }
}

QString CSVHandler::escaped(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
