#include "export/csvhandler.h"

#include "columns/itemroles.h"
#include "core/db/decimal.h"

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
    m_stream.setDevice(device);
    m_stream.setCodec("UTF-8");
    m_stream.setGenerateByteOrderMark(true);
    m_stream.resetStatus();
    return true;
}

bool CSVHandler::writeHeader()
{
    QStringList fields;
    for (int column = 0; column < m_model->columnCount(); ++column)
        fields << escaped(m_model->headerData(column, Qt::Horizontal, ColumnNameRole).toString());
    return writeFields(fields);
}

bool CSVHandler::writeRow(int row)
{
    QStringList fields;
    const int columns = m_model->columnCount();
    fields.reserve(columns);
    for (int column = 0; column < columns; ++column) {
        const QModelIndex index = m_model->index(row, column);
        QVariant value = m_model->data(index, Qt::UserRole);
        if (value.isNull())
            value = m_model->data(index, Qt::DisplayRole);
        fields << fieldText(value);
    }
    return writeFields(fields);
}

// Nothing follows the rows, but what the stream still buffers must reach the device: a write that fails only
// now (a full disk) still fails the export.
bool CSVHandler::writeFooter()
{
    m_stream.flush();
    return m_stream.status() == QTextStream::Ok;
}

void CSVHandler::end()
{
    m_stream.flush();
    m_model = nullptr;
    m_stream.setDevice(nullptr);
}

QString CSVHandler::lastError()
{
    return m_stream.device() ? m_stream.device()->errorString() : QString();
}

bool CSVHandler::writeFields(const QStringList& fields)
{
    m_stream << fields.join(QLatin1Char(';')) << '\n';
    return m_stream.status() == QTextStream::Ok;
}

QString CSVHandler::fieldText(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QDateTime: {
        // Hours, minutes and seconds without leading zeros, as the terminal's readers expect.
        const QDateTime t = value.toDateTime();
        return QStringLiteral("%1 %2:%3:%4:%5")
            .arg(t.date().toString(QStringLiteral("dd.MM.yyyy")))
            .arg(t.time().hour())
            .arg(t.time().minute())
            .arg(t.time().second())
            .arg(t.time().msec(), 3, 10, QLatin1Char('0'));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
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
