#include "filters/catalogue/maskfilters.h"

#include "filters/catalogue/private/maskfilters_p.h"

#include "core/db/table.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/filters/lambdafilterfunc.h"
#include "core/host/icore.h"
#include "core/host/idecoder.h"
#include "filters/balancefilterfunc.h"
#include "filters/private/sessionfilterfunc.h"
#include "filters/private/techdealsfilterfunc.h"

namespace {
const qint64 IcebergSign = qint64(1) << 47;
const qint64 MainSessionSign = 0x40;
const qint64 EveningSessionSign = 0x01;
} // namespace

// ---- AccountTypeFilter

AccountTypeFilter::AccountTypeFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("account")), 3, parent)
{ }

QString AccountTypeFilter::name() const
{
    return tr("Тип счета");
}

FilterFunc* AccountTypeFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    const int account = column();
    return new LambdaFilterFunc(
        [account, shown](const Record& record) {
            const qsizetype length = record.data(account).toStringView().size();
            return ((shown & 1) && length == 4) || ((shown & 2) && length == 7);
        },
        parent);
}

QString AccountTypeFilter::bitText(qint64 bit) const
{
    return bit == 1 ? tr("БФ") : bit == 2 ? tr("Клиент") : QString();
}

qint64 AccountTypeFilter::bitOfRecord(const Record& record) const
{
    return record.data(column()).toStringView().size() == 4 ? 1 : 2;
}

// ---- BalanceFilter

BalanceFilter::BalanceFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("balance")), 7, parent)
    , m_d(new BalanceFilterPrivate)
{
    m_d->quantity = table.columnIndex(QStringLiteral("quantity"));
}

BalanceFilter::~BalanceFilter() = default;

QString BalanceFilter::name() const
{
    return tr("Остаток");
}

FilterFunc* BalanceFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    // The predicate classes count their states as 4 partially, 2 not, 1 fully executed.
    const int states = ((shown & 1) ? 2 : 0) | ((shown & 2) ? 1 : 0) | ((shown & 4) ? 4 : 0);
    return BalanceFilterFunc::create(states, column(), m_d->quantity, parent);
}

QString BalanceFilter::bitText(qint64 bit) const
{
    switch (bit) {
    case 1:
        return tr("Не исполнена");
    case 2:
        return tr("Полностью исполнена");
    case 4:
        return tr("Частично исполнена");
    default:
        return QString();
    }
}

qint64 BalanceFilter::bitOfRecord(const Record& record) const
{
    const qint64 balance = record.data(column()).toInteger64();
    if (balance == record.data(m_d->quantity).toInteger64())
        return 1;
    return balance == 0 ? 2 : 4;
}

// ---- DealsTypeFilter

DealsTypeFilter::DealsTypeFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("signs")), 127, parent)
    , m_d(new DealsTypeFilterPrivate)
{
    m_d->board = table.columnIndex(QStringLiteral("board_id"));
}

DealsTypeFilter::~DealsTypeFilter() = default;

QString DealsTypeFilter::name() const
{
    return tr("Типы сделок");
}

qint64 DealsTypeFilter::kindsOf(qint64 signs, int board)
{
    qint64 kinds = 0;
    if (signs & 0x20)
        kinds |= Exercise;
    if (signs & 0x80)
        kinds |= Expiration;
    if (signs & 0x10000)
        kinds |= Transfer;
    if (signs & (qint64(1) << 26))
        kinds |= Negotiated;
    if (signs & (qint64(1) << 27))
        kinds |= qint64(TechDealsFilterFunc::isBundleBoard(1, board) ? Bundle : Technical);
    return kinds ? kinds : qint64(Regular);
}

FilterFunc* DealsTypeFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    const RawIntegerField signs(table(), column());
    const RawIntegerField board(table(), m_d->board);
    return new LambdaFilterFunc(
        [signs, board, shown](
            const Record& record) { return (kindsOf(signs.read(record), int(board.read(record))) & shown) != 0; },
        parent);
}

QString DealsTypeFilter::bitText(qint64 bit) const
{
    switch (bit) {
    case Regular:
        return tr("Обычная");
    case Exercise:
        return tr("Исполнение");
    case Expiration:
        return tr("Истечение");
    case Transfer:
        return tr("Перенос позиции");
    case Negotiated:
        return tr("Адресная");
    case Bundle:
        return tr("Связка");
    case Technical:
        return tr("Технические по связкам");
    default:
        return QString();
    }
}

qint64 DealsTypeFilter::bitOfRecord(const Record& record) const
{
    // A deal of several kinds is picked by its first.
    const qint64 kinds = kindsOf(record.data(column()).rawInt64(), record.data(m_d->board).toInteger());
    return kinds & -kinds;
}

// ---- GroupMaskFilter

GroupMaskFilter::GroupMaskFilter(Table& table, int column, QObject* parent)
    : MaskFilter(table, column, 0xc0000000LL, parent)
{ }

QString GroupMaskFilter::name() const
{
    return tr("Группа инструментов");
}

FilterFunc* GroupMaskFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    const RawIntegerField field(table(), column());
    return new LambdaFilterFunc(
        [field, shown](const Record& record) { return (field.read(record) & shown) != 0; }, parent);
}

QString GroupMaskFilter::bitText(qint64 bit) const
{
    return bit == 0x40000000LL ? tr("Фьючерсы") : bit == 0x80000000LL ? tr("Опционы") : QString();
}

qint64 GroupMaskFilter::bitOfRecord(const Record& record) const
{
    return record.data(column()).rawInt64() & fullMask();
}

// ---- SecSignFilter

SecSignFilter::SecSignFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("signs")), 7, parent)
{ }

QString SecSignFilter::name() const
{
    return tr("Признаки");
}

FilterFunc* SecSignFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    const RawIntegerField signs(table(), column());
    const qint64 both = MainSessionSign | EveningSessionSign;
    std::function<bool(const Record&)> test;
    switch (shown) {
    case 0:
        test = [](const Record&) { return false; };
        break;
    case 1:
        test = [signs](const Record& r) { return (signs.read(r) & MainSessionSign) != 0; };
        break;
    case 2:
        test = [signs](const Record& r) { return (signs.read(r) & EveningSessionSign) != 0; };
        break;
    case 3:
        test = [signs, both](const Record& r) { return (signs.read(r) & both) != 0; };
        break;
    case 4:
        test = [signs, both](const Record& r) { return (signs.read(r) & both) == 0; };
        break;
    case 5:
        test = [signs, both](const Record& r) {
            const qint64 s = signs.read(r);
            return (s & MainSessionSign) || !(s & both);
        };
        break;
    default: // 6
        test = [signs, both](const Record& r) {
            const qint64 s = signs.read(r);
            return (s & EveningSessionSign) || !(s & both);
        };
        break;
    }
    return new LambdaFilterFunc(test, parent);
}

QString SecSignFilter::bitText(qint64 bit) const
{
    switch (bit) {
    case 1:
        return tr("Торгуется в основную сессию");
    case 2:
        return tr("Торгуется в дополнительную сессию");
    case 4:
        return tr("Не торгуется");
    default:
        return QString();
    }
}

qint64 SecSignFilter::bitOfRecord(const Record& record) const
{
    const qint64 s = record.data(column()).rawInt64();
    return (s & MainSessionSign) ? 1 : (s & EveningSessionSign) ? 2 : 4;
}

// ---- SessionFilter

SessionFilter::SessionFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("sess_id")), 3, parent)
    , m_d(new SessionFilterPrivate)
{
    m_d->stock = table.columnIndex(QStringLiteral("stock_id"));
    if (!ICore::instance())
        return;
    for (QObject* plugin : ICore::instance()->plugins()) {
        if (qobject_cast<IDecoder*>(plugin))
            connect(plugin, SIGNAL(aNewSessions()), this, SIGNAL(asincChanged()));
    }
}

SessionFilter::~SessionFilter() = default;

QString SessionFilter::name() const
{
    return tr("Сессия");
}

FilterFunc* SessionFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    return new SessionFilterFunc(m_d->stock, column(), int(shown), parent);
}

QString SessionFilter::bitText(qint64 bit) const
{
    return bit == 1 ? tr("Активная") : bit == 2 ? tr("Неактивная") : QString();
}

qint64 SessionFilter::bitOfRecord(const Record& record) const
{
    return SessionDirectory::i()->isActiveSessId(record.data(m_d->stock).toInteger(), record.data(column()).toInteger())
        ? 1
        : 2;
}

// ---- SignsOrderFilter

SignsOrderFilter::SignsOrderFilter(Table& table, QObject* parent)
    : MaskFilter(table, table.columnIndex(QStringLiteral("signs")), 3, parent)
{ }

QString SignsOrderFilter::name() const
{
    return tr("Тип заявки");
}

FilterFunc* SignsOrderFilter::createMaskFunc(qint64 shown, QObject* parent) const
{
    const RawIntegerField signs(table(), column());
    if (shown == 0)
        return new LambdaFilterFunc([](const Record&) { return false; }, parent);
    const bool iceberg = shown == 2;
    return new LambdaFilterFunc(
        [signs, iceberg](const Record& record) { return ((signs.read(record) & IcebergSign) != 0) == iceberg; },
        parent);
}

QString SignsOrderFilter::bitText(qint64 bit) const
{
    return bit == 1 ? tr("Обычная") : bit == 2 ? tr("Айсберг") : QString();
}

qint64 SignsOrderFilter::bitOfRecord(const Record& record) const
{
    return (record.data(column()).rawInt64() & IcebergSign) ? 2 : 1;
}
