#include "export/dbfhandler.h"

#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "core/db/decimal.h"
#include "export/private/dbfhandler_p.h"
#include "export/private/exporttext.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QTextCodec>
#include <QtEndian>

#include <cstring>

namespace {

const int MaxRecordLength = 65534;
const int MaxDecimals = 18;

// Right-aligned in `width` bytes with spaces on the left; a longer text keeps its first `width` bytes.
void putRight(char* at, int width, const QByteArray& text)
{
    const int n = qMin(width, text.size());
    std::memcpy(at + width - n, text.constData(), size_t(n));
}

// Both code pages are single-byte: one table turns every UTF-16 unit into its byte (0 where the code page has
// none). Made once per code page, on the GUI thread where exports begin; 65,536 codec calls are too many for
// every export.
QVector<uchar> codePageTable(const QByteArray& codePage)
{
    static QHash<QByteArray, QVector<uchar>> tables;
    auto it = tables.find(codePage);
    if (it != tables.end())
        return *it;
    QVector<uchar> table(0x10000, 0);
    if (QTextCodec* codec = QTextCodec::codecForName(codePage)) {
        for (int unit = 1; unit < 0x10000; ++unit) {
            const QChar c(static_cast<ushort>(unit));
            if (c.isSurrogate() || !codec->canEncode(c))
                continue;
            const QByteArray b = codec->fromUnicode(&c, 1);
            if (b.size() == 1)
                table[unit] = uchar(b.at(0));
        }
    }
    return tables.insert(codePage, table).value();
}

} // namespace

DBFHandler::DBFHandler(DBF_Version version)
    : d_ptr(new DBFHandlerPrivate(version))
{
    Q_D(DBFHandler);
    d->stream.setByteOrder(QDataStream::LittleEndian);
}

DBFHandler::~DBFHandler() = default;

QByteArray DBFHandler::format() const
{
    Q_D(const DBFHandler);
    return d->version == DBase4 ? QByteArrayLiteral("dbf") : QByteArrayLiteral("dbf7");
}

QString DBFHandler::filterString() const
{
    Q_D(const DBFHandler);
    return d->version == DBase4 ? tr("Файл dBASE IV") : tr("Файл dBASE Level 7");
}

QByteArray DBFHandler::codePage(quint8* driver)
{
    const QByteArray chosen = AppSettings(QStringLiteral("exporter")).value(QStringLiteral("codepage")).toByteArray();
    const bool windows = chosen == "cp1251";
    if (driver)
        *driver = windows ? 0xC9 : 0x65;
    return windows ? QByteArrayLiteral("cp1251") : QByteArrayLiteral("cp866");
}

bool DBFHandler::begin(QIODevice* device, QAbstractItemModel* model)
{
    Q_D(DBFHandler);
    d->model = model;
    d->stream.setDevice(device);
    d->stream.resetStatus();
    d->error.clear();
    d->codePage = codePage(&d->driver);
    d->toCodePage = codePageTable(d->codePage);
    return true;
}

QByteArray DBFHandler::encoded(const QString& text) const
{
    Q_D(const DBFHandler);
    QByteArray bytes(text.size(), '?');
    for (int i = 0; i < text.size(); ++i) {
        if (const uchar b = d->toCodePage.value(text.at(i).unicode()))
            bytes[i] = char(b);
    }
    return bytes;
}

DBFHandler::Field DBFHandler::describe(int type, int length) const
{
    Q_D(const DBFHandler);
    Field f;
    f.type = type;
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        f.letter = 'N';
        f.width = 20;
        return f;
    case QMetaType::Double:
        f.letter = d->version == DBase4 ? 'F' : 'O';
        f.width = d->version == DBase4 ? 20 : 8;
        f.decimals = d->version == DBase4 ? MaxDecimals : 0;
        return f;
    case QMetaType::QDate:
        f.letter = 'D';
        f.width = 8;
        return f;
    case QMetaType::QDateTime:
        f.width = 23;
        return f;
    default:
        if (type == qMetaTypeId<decimal>()) {
            f.letter = 'N';
            f.width = 20;
            f.decimals = qBound(0, length, MaxDecimals);
            return f;
        }
        f.width = qMax(32, qMin(length, 254));
        return f;
    }
}

QByteArray DBFHandler::uniqueName(const QString& name, QList<QByteArray>& used) const
{
    Q_D(const DBFHandler);
    const int size = d->version == DBase4 ? 10 : 31;
    QByteArray bytes = encoded(name).left(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    if (used.contains(bytes)) {
        const int zero = bytes.indexOf('\0');
        const int at = zero >= 0 && size - zero >= 2 ? zero : size - 2;
        QByteArray candidate;
        for (char k = '1'; k <= '9'; ++k) {
            QByteArray tried = bytes;
            tried[at] = '_';
            tried[at + 1] = k;
            if (!used.contains(tried)) {
                candidate = tried;
                break;
            }
        }
        if (candidate.isEmpty())
            return QByteArray();
        bytes = candidate;
    }
    used << bytes;
    return bytes;
}

int DBFHandler::getRecordSize(int column) const
{
    Q_D(const DBFHandler);
    if (column >= 0)
        return d->columns.value(column).width;
    int sum = 0;
    for (const Field& f : d->columns)
        sum += f.width;
    return sum;
}

bool DBFHandler::refuse(const QString& reason)
{
    Q_D(DBFHandler);
    d->error = reason;
    d->columns.clear();
    return false;
}

bool DBFHandler::writeHeader()
{
    Q_D(DBFHandler);
    const bool four = d->version == DBase4;
    const int columns = d->model->columnCount();
    const int descriptorSize = four ? 32 : 48;
    const int fixedSize = four ? 32 : 68;
    const qint64 headerLength = qint64(descriptorSize) * columns + fixedSize + 1;
    if (headerLength > 0xFFFF)
        return refuse(tr("Слишком много столбцов для формата dBASE: %1 (не более %2)")
                          .arg(columns)
                          .arg((0xFFFF - fixedSize - 1) / descriptorSize));

    // Everything is decided before a byte is written.
    d->columns.clear();
    QList<QByteArray> used;
    QByteArray descriptors;
    descriptors.reserve(descriptorSize * columns);
    for (int c = 0; c < columns; ++c) {
        const QString name = d->model->headerData(c, Qt::Horizontal, ColumnNameRole).toString();
        Field f = describe(d->model->headerData(c, Qt::Horizontal, ColumnVariantTypeRole).toInt(),
            d->model->headerData(c, Qt::Horizontal, ColumnLengthRole).toInt());
        f.name = uniqueName(name, used);
        if (f.name.isEmpty())
            return refuse(tr("Невозможно составить уникальное имя поля dBASE для столбца '%1'").arg(name));
        d->columns.insert(c, f);
        QByteArray d = f.name; // 10 or 31 bytes, then the zero byte that ends every name
        d.append(QByteArray(descriptorSize - d.size(), '\0'));
        d[four ? 11 : 32] = f.letter;
        d[four ? 16 : 33] = char(f.width);
        d[four ? 17 : 34] = char(f.decimals);
        descriptors += d;
    }
    d->recordLength = getRecordSize(-1) + 1;
    if (d->recordLength > MaxRecordLength)
        return refuse(tr("Слишком длинная запись для формата dBASE: %1 байт (не более %2)")
                          .arg(d->recordLength)
                          .arg(MaxRecordLength));

    QByteArray header(fixedSize, '\0');
    const QDate today = QDate::currentDate();
    header[0] = four ? 0x03 : 0x04;
    header[1] = char(today.year() % 100);
    header[2] = char(today.month());
    header[3] = char(today.day());
    qToLittleEndian<quint32>(quint32(d->model->rowCount()), header.data() + 4);
    qToLittleEndian<quint16>(quint16(headerLength), header.data() + 8);
    qToLittleEndian<quint16>(quint16(d->recordLength), header.data() + 10);
    header[29] = char(d->driver);
    d->stream.writeRawData(header.constData(), header.size());
    d->stream.writeRawData(descriptors.constData(), descriptors.size());
    d->stream << quint8(0x0D);
    d->rows.reset(d->model, [this](int row) { return formatRow(row); });
    return d->stream.status() == QDataStream::Ok;
}

void DBFHandler::putField(char* at, const Field& field, const QVariant& value) const
{
    Q_D(const DBFHandler);
    switch (field.type) {
    case QMetaType::Int:
        return putRight(at, field.width, QByteArray::number(value.toInt()));
    case QMetaType::UInt:
        return putRight(at, field.width, QByteArray::number(value.toUInt()));
    case QMetaType::LongLong:
        return putRight(at, field.width, QByteArray::number(value.toLongLong()));
    case QMetaType::ULongLong:
        return putRight(at, field.width, QByteArray::number(value.toULongLong()));
    case QMetaType::Double:
        if (d->version == DBase4) {
            const QByteArray text = QByteArray::number(value.toDouble(), 'f', MaxDecimals);
            return putRight(at, field.width, text.left(field.width));
        }
        qToLittleEndian<double>(value.toDouble(), at);
        return;
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        const QByteArray text
            = date.isValid() ? ExportText::date(date, ExportText::DateOrder::Compact).toLatin1() : "00000000";
        std::memcpy(at, text.constData(), 8);
        return;
    }
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        if (moment.isValid())
            std::memcpy(at, ExportText::dateTime(moment, true, QLatin1Char(':')).toLatin1().constData(), 23);
        return;
    }
    default:
        if (field.type == qMetaTypeId<decimal>()) {
            bool ok = false;
            decimal d = decimal::fromVariant(value, &ok);
            if (!ok || d.isEmpty())
                return putRight(at, field.width, QByteArrayLiteral("0"));
            if (d.scale() > MaxDecimals)
                d.setScale(MaxDecimals);
            return putRight(at, field.width, d.toString().toLatin1().left(field.width));
        }
        const QByteArray text = encoded(value.toString().left(field.width));
        std::memcpy(at, text.constData(), size_t(qMin(text.size(), field.width)));
        return;
    }
}

bool DBFHandler::writeRow(int row)
{
    Q_D(DBFHandler);
    const QByteArray record = d->rows.take(row);
    d->stream.writeRawData(record.constData(), record.size());
    return d->stream.status() == QDataStream::Ok;
}

QByteArray DBFHandler::formatRow(int row) const
{
    Q_D(const DBFHandler);
    QByteArray record(d->recordLength, ' ');
    int offset = 1;
    for (auto it = d->columns.constBegin(); it != d->columns.constEnd(); ++it) {
        const QModelIndex index = d->model->index(row, it.key());
        QVariant value = d->model->data(index, Qt::UserRole);
        if (value.isNull())
            value = d->model->data(index, Qt::DisplayRole);
        putField(record.data() + offset, it.value(), value);
        offset += it->width;
    }
    return record;
}

bool DBFHandler::writeFooter()
{
    Q_D(DBFHandler);
    d->stream << quint8(0x1A);
    return d->stream.status() == QDataStream::Ok;
}

void DBFHandler::end()
{
    Q_D(DBFHandler);
    d->rows.clear();
    d->model = nullptr;
    d->stream.setDevice(nullptr);
    d->columns.clear();
    d->recordLength = 0;
    d->toCodePage.clear();
}

QString DBFHandler::lastError()
{
    Q_D(DBFHandler);
    if (!d->error.isEmpty())
        return d->error;
    return d->stream.device() ? d->stream.device()->errorString() : QString();
}
