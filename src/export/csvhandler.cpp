#include "export/csvhandler.h"

#include "columns/itemroles.h"
#include "core/db/decimal.h"
#include "export/private/csvhandler_p.h"
#include "export/private/exporttext.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QIODevice>

CSVHandler::CSVHandler()
    : d_ptr(new CSVHandlerPrivate)
{ }

CSVHandler::~CSVHandler() = default;

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
    Q_D(CSVHandler);
    d->model = model;
    d->device = device;
    d->rows.reset(model, [this](int row) { return formatRow(row); });
    return true;
}

bool CSVHandler::writeHeader()
{
    Q_D(CSVHandler);
    QString line;
    for (int column = 0; column < d->model->columnCount(); ++column) {
        if (column > 0)
            line += QLatin1Char(';');
        line += escaped(d->model->headerData(column, Qt::Horizontal, ColumnNameRole).toString());
    }
    line += QLatin1Char('\n');
    return write(QByteArrayLiteral("\xEF\xBB\xBF") + line.toUtf8());
}

QByteArray CSVHandler::formatRow(int row) const
{
    Q_D(const CSVHandler);
    QString line;
    const int columns = d->model->columnCount();
    for (int column = 0; column < columns; ++column) {
        const QModelIndex index = d->model->index(row, column);
        QVariant value = d->model->data(index, Qt::UserRole);
        if (value.isNull())
            value = d->model->data(index, Qt::DisplayRole);
        if (column > 0)
            line += QLatin1Char(';');
        line += fieldText(value);
    }
    line += QLatin1Char('\n');
    return line.toUtf8();
}

bool CSVHandler::writeRow(int row)
{
    Q_D(CSVHandler);
    return write(d->rows.take(row));
}

bool CSVHandler::writeFooter()
{
    return true;
}

void CSVHandler::end()
{
    Q_D(CSVHandler);
    d->rows.clear();
    d->model = nullptr;
    d->device = nullptr;
}

QString CSVHandler::lastError()
{
    Q_D(CSVHandler);
    return d->device ? d->device->errorString() : QString();
}

bool CSVHandler::write(const QByteArray& bytes)
{
    Q_D(CSVHandler);
    return d->device->write(bytes) == bytes.size();
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
