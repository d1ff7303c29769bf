#include "columns/catalogue/enumcolumndelegates.h"
#include "columns/catalogue/marketcolumndelegates.h"
#include "columns/catalogue/private/accountcolumndelegates.h"
#include "columns/catalogue/private/codetextdelegates.h"
#include "columns/catalogue/private/datecolumndelegates.h"
#include "columns/catalogue/private/feecolumndelegates.h"
#include "columns/catalogue/private/futnamecolumndelegate.h"
#include "columns/catalogue/private/numbercolumndelegates.h"
#include "columns/catalogue/private/paramcolumndelegates.h"
#include "columns/catalogue/securitycolumndelegates.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/catalogue/valuecolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/xdecimal.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/sessiondirectory.h"
#include "delegates/styleditemdelegate.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "recordfields.h"
#include "recordlistmodel.h"
#include "sim/tradingtables.h"

#include <QAbstractItemModelTester>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

MarketFixture* market = nullptr;

Table* table(const char* name)
{
    return market->table(QString::fromLatin1(name));
}

// The first record of a table that satisfies the predicate: the oracle reads the raw tables, never the
// directories under test.
Record find(const char* tableName, const std::function<bool(const Record&)>& wanted = {})
{
    for (const Record& r : *table(tableName)->masterIndex()) {
        if (!wanted || wanted(r))
            return r;
    }
    return Record();
}

// The reference row of `tableName` whose listed fields hold the values of the same-named fields of `r`.
Record referenced(const char* tableName, const Record& r, std::initializer_list<std::pair<const char*, const char*>> on)
{
    return find(tableName, [&](const Record& candidate) {
        for (const auto& [mine, theirs] : on) {
            if (text(candidate, theirs) != text(r, mine))
                return false;
        }
        return true;
    });
}

QString instrumentText(const Record& r, const char* what, const char* board = "board_id", const char* sec = "sec_id")
{
    return text(
        referenced("securities", r, { { "stock_id", "stock_id" }, { board, "board_id" }, { sec, "sec_id" } }), what);
}

QString enumName(const char* enumTable, const Record& r, const char* field)
{
    return text(referenced(enumTable, r, { { field, "code" } }), "name");
}

bool isOption(const Record& r)
{
    return text(r, "sectype") == QLatin1String("O");
}

// What a cell shows for a value.
QString shown(const QVariant& value)
{
    static const StyledItemDelegate painter;
    return painter.displayText(value, QLocale::c());
}

struct Member
{
    const char* name;
    const char* table;
    const char* field; // the column the delegate is put on
    std::function<ColumnModelDelegate*(ItemModelWithDelegates*)> make;
    std::function<bool(const Record&)> row; // the sample record
    std::function<QString(const Record&)> expected; // its display text; null: the raw field shows
};

int column(const char* tableName, const char* field)
{
    return table(tableName)->columnIndex(QString::fromLatin1(field));
}

QString priceText(const Record& r, const char* field)
{
    const int decimals = int(number(
        referenced("securities", r, { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } }),
        "decimals"));
    return r.data(QString::fromLatin1(field)).toDecimal().withScale(decimals).toString();
}

// price × quantity × lots to the kopeck, cut: the exact product of the decimal library, its text cut after two
// decimals (not the delegate's mantissa arithmetic).
QString kopecks(const Record& r, qint64 lots)
{
    const decimal product
        = r.data(QStringLiteral("price")).toDecimal() * decimal(number(r, "quantity"), 0) * decimal(lots, 0);
    QString text = product.toString();
    const int point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return text + QStringLiteral(".00");
    return (text + QStringLiteral("00")).left(point + 3);
}

const QVector<Member>& members()
{
    static const QVector<Member> all {
        { "Stock", "orders", "stock_id", [](auto*) { return new StockColumnDelegate; }, {},
            [](const Record& r) {
                return text(referenced("stocks", r, { { "stock_id", "stock_id" } }), "stock_name");
            } },
        { "Board", "orders", "board_id", [](auto* m) { return new BoardColumnDelegate(m); }, {},
            [](const Record& r) {
                return text(
                    referenced("boards", r, { { "stock_id", "stock_id" }, { "board_id", "board_id" } }), "board_name");
            } },
        { "OptBoard", "securities", "board_id", [](auto* m) { return new OptBoardColumnDelegate(m); }, isOption,
            [](const Record& r) {
                return text(
                    referenced("boards", r, { { "stock_id", "stock_id" }, { "board_id", "board_id" } }), "board_name");
            } },
        { "BaseBoard", "securities", "main_board_id", [](auto* m) { return new BaseBoardColumnDelegate(m); }, isOption,
            [](const Record& r) {
                return text(referenced("boards", r, { { "stock_id", "stock_id" }, { "main_board_id", "board_id" } }),
                    "board_name");
            } },
        { "Security", "orders", "sec_id", [](auto* m) { return new SecurityColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "sec_name"); } },
        { "BaseSecurity", "orders", "sec_id", [](auto* m) { return new BaseSecurityColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "sec_name"); } },
        { "MainSecurity", "securities", "main_sec_id", [](auto* m) { return new MainSecurityColumnDelegate(m); },
            isOption, [](const Record& r) { return instrumentText(r, "sec_name", "main_board_id", "main_sec_id"); } },
        { "SecurityOrNull", "orders", "sec_id", [](auto* m) { return new SecurityOrNullColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "sec_name"); } },
        { "SecCode", "orders", "sec_id", [](auto* m) { return new SecCodeColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "sec_code"); } },
        { "SecCodeOrNull", "orders", "sec_id", [](auto* m) { return new SecCodeOrNullColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "sec_code"); } },
        { "BaseCode", "orders", "sec_id", [](auto* m) { return new BaseCodeColumnDelegate(m); }, {},
            [](const Record& r) { return instrumentText(r, "base_code"); } },
        { "Session", "orders", "sess_id", [](auto* m) { return new SessionColumnDelegate(m); }, {},
            [](const Record& r) {
                return text(
                    referenced("sessions", r, { { "stock_id", "stock_id" }, { "sess_id", "sess_id" } }), "sess_name");
            } },
        { "Status", "orders", "status", [](auto* m) { return new StatusColumnDelegate(m); }, {},
            [](const Record& r) { return enumName("status", r, "status"); } },
        { "BuySell", "orders", "buysell", [](auto*) { return new BuySellColumnDelegate; }, {},
            [](const Record& r) { return enumName("buysell", r, "buysell"); } },
        { "SecType", "securities", "sectype", [](auto*) { return new SecTypeColumnDelegate; }, {},
            [](const Record& r) { return enumName("sec_type", r, "sectype"); } },
        { "SecState", "securities", "state", [](auto*) { return new SecStateColumnDelegate; }, {},
            [](const Record& r) { return enumName("sec_state", r, "state"); } },
        { "SessState", "sessions", "state", [](auto*) { return new SessStateColumnDelegate; }, {},
            [](const Record& r) { return enumName("sess_state", r, "state"); } },
        { "PriceDirection", "securities", "price_dir", [](auto*) { return new PriceDirectionColumnDelegate; }, {},
            [](const Record& r) { return enumName("price_dir", r, "price_dir"); } },
        { "OptionType", "securities", "opt_type", [](auto*) { return new OptionTypeColumnDelegate; }, isOption,
            [](const Record& r) { return enumName("opt_type", r, "opt_type"); } },
        { "OptionCalc", "securities", "option_calc", [](auto*) { return new OptionCalcColumnDelegate; }, isOption,
            [](const Record& r) { return enumName("opt_calc", r, "option_calc"); } },
        { "Price", "orders", "price", [](auto* m) { return new PriceColumnDelegate(m); }, {},
            [](const Record& r) { return priceText(r, "price"); } },
        { "MMSpread", "orders", "price", [](auto* m) { return new MMSpreadColumnDelegate(m); }, {},
            [](const Record& r) { return priceText(r, "price"); } },
        { "Value", "orders", "price", [](auto* m) { return new ValueColumnDelegate(m); }, {},
            [](const Record& r) {
                return kopecks(r,
                    number(referenced("securities", r,
                               { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } }),
                        "lotsize"));
            } },
        { "All_DealsValue", "deals", "price", [](auto* m) { return new All_DealsValueColumnDelegate(m); }, {},
            [](const Record& r) { return kopecks(r, number(r, "lotsize")); } },
        { "ProfitRate", "orders", "price", [](auto* m) { return new ProfitRateDelegate(m); }, {},
            [](const Record& r) {
                const double settle = referenced(
                    "securities", r, { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } })
                                          .data(QStringLiteral("settle_price"))
                                          .toDouble();
                return decimal::fromDouble((r.data(QStringLiteral("price")).toDouble() / settle - 1) * 100, 2)
                    .toString();
            } },
        { "VolatBySecId", "securities", "sec_id",
            [](auto* m) { return new VolatBySecIdDelegate(m, &SecurityDirectory::volatilityById); }, isOption,
            [](const Record& r) {
                return referenced(
                    "volat", r, { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } })
                    .data(QStringLiteral("volat"))
                    .toDecimal()
                    .toString();
            } },
        { "VM", "positions", "account", [](auto* m) { return new VMDelegate(column("positions", "account"), m); }, {},
            [](const Record& r) {
                xdecimal sum = xdecimal::zero();
                for (const char* t : { "fut_vm_sa", "opt_vm_sa" }) {
                    const Record vm = referenced(t, r, { { "account", "settlement_account" } });
                    if (!vm.isNull())
                        sum += vm.data(QStringLiteral("vm")).toXDecimal();
                }
                return sum.toString();
            } },
        { "Fee", "deals", "deal_num",
            [](auto*) {
                return new FeeColumnDelegate(
                    column("deals", "fee_flag"), column("deals", "buysell"), column("deals", "deal_num"));
            },
            [](const Record& r) { return number(r, "fee_flag") == 1; },
            [](const Record& r) {
                const Record fee = referenced("fee", r, { { "deal_num", "deal_num" } });
                return text(fee, text(r, "buysell") == QLatin1String("B") ? "fee_buy" : "fee_sell");
            } },
        { "BrokerFee", "deals", "deal_num",
            [](auto*) { return new BrokerFeeColumnDelegate(column("deals", "deal_num"), column("deals", "buysell")); },
            [](const Record& r) {
                return !referenced("broker_fee", r, { { "deal_num", "deal_num" } }).isNull();
            },
            [](const Record& r) {
                const Record fee = referenced("broker_fee", r, { { "deal_num", "deal_num" } });
                return text(fee, text(r, "buysell") == QLatin1String("B") ? "fee_buy" : "fee_sell");
            } },
        { "Date", "orders", "moment", [](auto* m) { return new DateColumnDelegate(m); }, {},
            [](const Record& r) { return shown(r.data(QStringLiteral("moment")).toQDate()); } },
        { "Time", "orders", "moment", [](auto* m) { return new TimeColumnDelegate(m); }, {},
            [](const Record& r) { return shown(r.data(QStringLiteral("moment")).toQTime()); } },
        { "SessionTime", "deals", "moment",
            [](auto* m) { return new SessionTimeDelegate(m, TradingTables::ExpirationSign); },
            [](const Record& r) { return number(r, "signs") & TradingTables::ExpirationSign; },
            [](const Record& r) { return shown(r.data(QStringLiteral("moment")).toQDateTime()); } },
        { "Deal", "deals", "deal_num", [](auto*) { return new DealColumnDelegate; }, {}, {} },
        { "Order", "orders", "order_num", [](auto*) { return new OrderColumnDelegate; }, {}, {} },
        { "DealSign", "deals", "signs", [](auto* m) { return new DealSignDelegate(m); },
            [](const Record& r) { return number(r, "signs") == TradingTables::ExpirationSign; },
            [](const Record&) { return QStringLiteral("Истечение"); } },
        { "SignsOrder", "orders", "signs", [](auto* m) { return new SignsOrderDelegate(m); },
            [](const Record& r) { return number(r, "signs") == TradingTables::IcebergSign; },
            [](const Record&) { return QStringLiteral("Айсберг заявка"); } },
        { "DealState", "deals", "fee_flag", [](auto* m) { return new DealStateDelegate(m); }, {},
            [](const Record&) { return QString(); } },
        { "DealReason", "deals", "fee_flag", [](auto* m) { return new DealReasonDelegete(m); }, {},
            [](const Record&) { return QString(); } },
        { "DealErrorCode", "deals", "fee_flag", [](auto* m) { return new DealErrorCodeDelegate(m); }, {},
            [](const Record&) { return QString(); } },
        { "Account", "orders", "account", [](auto* m) { return new AccountColumnDelegate(m); }, {},
            [](const Record& r) {
                return text(referenced("kv.investor", r, { { "account", "code" } }), "name");
            } },
        { "Name", "kv.fut_settlement", "code",
            [](auto* m) {
                return new NameDelegate(
                    -1, column("kv.fut_settlement", "code"), column("kv.fut_settlement", "settlement_account"), m);
            },
            {},
            [](const Record& r) {
                return text(referenced("kv.investor", r, { { "code", "code" } }), "name");
            } },
        { "StatusOfAccount", "kv.fut_settlement", "code",
            [](auto* m) {
                return new StatusDelegate(
                    -1, column("kv.fut_settlement", "code"), column("kv.fut_settlement", "settlement_account"), m);
            },
            {},
            [](const Record& r) {
                const Record firm = find(
                    "kv.rf", [&](const Record& f) { return text(f, "code") == text(r, "settlement_account").left(4); });
                const Record margin = referenced("kv.fut_margin_type", r, { { "settlement_account", "code" } });
                const QStringList marginTypes { QStringLiteral("Полное"), QStringLiteral("Полунеттинг БФ"),
                    QStringLiteral("Неттинг") };
                const QStringList accountTypes { QStringLiteral("Собственный"), QStringLiteral("Клиентский"),
                    QStringLiteral("Доверительное управление") };
                const QStringList pools { QStringLiteral("Раздельный"), QStringLiteral("Единый пул") };
                return QStringList { number(firm, "status") ? QStringLiteral("Торги запрещены")
                                                            : QStringLiteral("Торги разрешены"),
                    marginTypes.at(int(number(margin, "margin_type"))), accountTypes.at(int(number(margin, "sa_type"))),
                    pools.at(int(number(margin, "ucp_type"))) }
                    .join(QStringLiteral(", "));
            } },
        { "FutMarginType", "kv.fut_margin_type", "code",
            [](auto* m) { return new FutMarginTypeDelegate(column("kv.fut_margin_type", "code"), m); },
            [](const Record& r) { return number(r, "margin_type") == 1; },
            [](const Record&) { return QStringLiteral("Полунеттинг БФ"); } },
        { "SAType", "kv.fut_margin_type", "code",
            [](auto* m) { return new SATypeDelegate(column("kv.fut_margin_type", "code"), m); },
            [](const Record& r) { return number(r, "sa_type") == 0; },
            [](const Record&) { return QStringLiteral("Собственный"); } },
        { "UCPType", "kv.fut_margin_type", "code",
            [](auto* m) { return new UCPTypeDelegate(column("kv.fut_margin_type", "code"), m); },
            [](const Record& r) { return number(r, "ucp_type") == 1; },
            [](const Record&) { return QStringLiteral("Единый пул"); } },
        { "Aspref", "kv.user", "aspref", [](auto* m) { return new AsprefColumnDelegate(m); }, {},
            [](const Record& r) { return text(r, "login"); } },
        { "LoginRights", "kv.user", "rights", [](auto* m) { return new LoginRightsDelegate(m); }, {},
            [](const Record& r) {
                const QPair<int, QString> rights[] = { { 3, QStringLiteral("Лимитирование БФ") },
                    { 4, QStringLiteral("Вывод денег") }, { 5, QStringLiteral("Лимитирование клиентов") },
                    { 7, QStringLiteral("Установка ограничений") },
                    { 10, QStringLiteral("Установка SMA ограничений") } };
                QStringList granted;
                for (const auto& right : rights) {
                    if (number(r, "rights") & (qint64(1) << right.first))
                        granted << right.second;
                }
                return granted.join(QStringLiteral(", "));
            } },
        { "FutName", "securities", "sec_id", [](auto* m) { return new FutNameColumnDelegate(m); }, isOption,
            [](const Record& r) {
                const QDate expiry = r.data(QStringLiteral("expdate")).toQDate();
                return QStringLiteral("%1 : %2 - %3 (%4) (%5)")
                    .arg(
                        text(find("boards", [](const Record& b) { return number(b, "board_id") == 14; }), "board_name"),
                        instrumentText(r, "sec_name", "main_board_id", "main_sec_id"),
                        QLocale().toString(expiry, QStringLiteral("MMM dd, yyyy")),
                        StyledItemDelegate::expWeekToString(expiry), enumName("opt_calc", r, "option_calc"));
            } },
        { "BaseContractsParams", "securities", "base_code",
            [](auto* m) { return new BaseContractsParamsDelegate(m, column("base_contracts", "initial_margin")); }, {},
            [](const Record& r) {
                return text(referenced("base_contracts", r, { { "base_code", "base_code" } }), "initial_margin");
            } },
        { "BrokerFeeParamsField", "orders", "account",
            [](auto* m) { return new BrokerFeeParamsFieldDelegate(QStringLiteral("rate"), false, m); },
            [](const Record& r) {
                return !referenced("kv.broker_fee_param", r, { { "account", "account" } }).isNull();
            },
            [](const Record& r) {
                return text(referenced("kv.broker_fee_param", r, { { "account", "account" } }), "rate");
            } },
        { "Arithmetic", "positions", "pos",
            [](auto*) {
                return new ArithmeticDelegate({ { column("positions", "open_pos"), 1 },
                    { column("positions", "buy_qty"), 1 }, { column("positions", "sell_qty"), -1 } });
            },
            {}, [](const Record& r) { return xdecimal(decimal(number(r, "pos"), 0)).toString(); } },
        { "ValueDecoder", "orders", "buysell",
            [](auto*) {
                return new ValueDecoderDelegate({ { QStringLiteral("B"), QStringLiteral("Покупка") },
                    { QStringLiteral("S"), QStringLiteral("Продажа") } });
            },
            {},
            [](const Record& r) {
                return text(r, "buysell") == QLatin1String("B") ? QStringLiteral("Покупка") : QStringLiteral("Продажа");
            } },
    };
    return all;
}

// A model over one table with a delegate on one of its columns.
struct Column
{
    Column(const char* tableName, const char* field,
        const std::function<ColumnModelDelegate*(ItemModelWithDelegates*)>& make)
        : model(table(tableName))
        , tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal)
        , index(model.columnIndex(QString::fromLatin1(field)))
    {
        delegate = make(&model);
        if (!delegate->parent())
            delegate->setParent(&model);
        model.setColumnDelegate(index, delegate);
    }
    QVariant show(const Record& record, int role = Qt::DisplayRole)
    {
        model.setRecords({ record });
        return model.data(model.index(0, index), role);
    }
    QString order(const QList<Record>& records, Qt::SortOrder direction = Qt::AscendingOrder)
    {
        model.setRecords(records);
        model.sort(index, direction);
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << shown(model.index(row, index).data());
        return texts.join(QLatin1Char('|'));
    }

    RecordListModel model;
    QAbstractItemModelTester tester;
    int index;
    ColumnModelDelegate* delegate = nullptr;
};

// Writes one field of a record through a transaction, as the gateway does.
void write(const Record& record, const char* field, const QVariant& value)
{
    RecordsTrans trans(record.table());
    RecordUpdater u(record, trans);
    if (value.isValid())
        u.data(record.table()->columnIndex(QString::fromLatin1(field))) = FieldInput(value);
    else
        u.data(record.table()->columnIndex(QString::fromLatin1(field))).clear();
    trans.commit();
}

} // namespace

class tst_ColumnDelegateCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    // Tests change records: each starts from a fresh market.
    void init() { market = new MarketFixture; }
    void cleanup()
    {
        delete market;
        market = nullptr;
    }

    void eachMemberShowsItsFieldAsTheReferenceTablesSay_data()
    {
        QTest::addColumn<int>("member");
        for (int i = 0; i < members().size(); ++i)
            QTest::newRow(members().at(i).name) << i;
    }
    void eachMemberShowsItsFieldAsTheReferenceTablesSay()
    {
        QFETCH(int, member);
        const Member& m = members().at(member);
        Column c(m.table, m.field, m.make);
        QVERIFY(c.index >= 0);

        // On a sample market record the cell shows what the reference tables say.
        const Record record = find(m.table, m.row);
        QVERIFY2(!record.isNull(), "the sample market has no record for this member");
        const QVariant value = c.show(record);
        if (!m.expected) {
            QCOMPARE(value, record.data(c.model.tableColumn(c.index)).toVariant());
            return;
        }
        QCOMPARE(shown(value), m.expected(record));
        QVERIFY(!m.expected(record).isEmpty() || QByteArray(m.name).startsWith("Deal"));
        if (value.isValid() && !(value.type() == QVariant::String && c.delegate->type() != QVariant::String))
            QCOMPARE(value.userType(), c.delegate->type());
    }

    void catalogueColumnsSortAsTradersExpect()
    {
        // Board names sort without regard to case; boards of options come after none.
        const QList<Record> instruments {
            find("securities", [](const Record& r) { return number(r, "board_id") == SampleMarket::OptionsBoard; }),
            find("securities", [](const Record& r) { return number(r, "board_id") == SampleMarket::FuturesBoard; }),
            find("securities", [](const Record& r) { return number(r, "board_id") == 3; })
        };
        Column board("securities", "board_id", [](auto* m) { return new BoardColumnDelegate(m); });
        QCOMPARE(board.order(instruments), QStringLiteral("Внесистемные сделки|Опционы|Фьючерсы"));
        QCOMPARE(board.order(instruments, Qt::DescendingOrder), QStringLiteral("Фьючерсы|Опционы|Внесистемные сделки"));

        // A null base board sorts after every value, in either direction of the values.
        const Record future = instruments.at(1);
        const Record option = instruments.at(0);
        Column baseBoard("securities", "main_board_id", [](auto* m) { return new BaseBoardColumnDelegate(m); });
        QVERIFY(future.data(QStringLiteral("main_board_id")).isNull());
        int result = 0;
        QVERIFY(baseBoard.delegate->compare(option.data(QStringLiteral("main_board_id")), option,
            future.data(QStringLiteral("main_board_id")), future, result));
        QVERIFY(result < 0);

        // Deal signs sort by the shown text: "Адресная" < "Исполнение" < "Истечение".
        QList<Record> deals;
        for (const Record& r : *table("deals")->masterIndex()) {
            if (deals.size() < 3 && number(r, "board_id") == SampleMarket::FuturesBoard)
                deals << r;
        }
        QCOMPARE(deals.size(), 3);
        write(deals.at(0), "signs", TradingTables::ExpirationSign);
        write(deals.at(1), "signs", TradingTables::ExecutionSign | TradingTables::ExpirationSign);
        write(deals.at(2), "signs", TradingTables::AddressSign);
        Column sign("deals", "signs", [](auto* m) { return new DealSignDelegate(m); });
        QCOMPARE(sign.order(deals), QStringLiteral("Адресная|Исполнение|Истечение"));

        // Prices keep the order of the stored numbers whatever their decimals.
        Column price("orders", "price", [](auto* m) { return new PriceColumnDelegate(m); });
        QList<Record> orders;
        for (const Record& r : *table("orders")->masterIndex())
            orders << r;
        price.order(orders);
        for (int row = 1; row < price.model.rowCount(); ++row) {
            const Field a = price.model.records().at(row - 1).data(QStringLiteral("price"));
            const Field b = price.model.records().at(row).data(QStringLiteral("price"));
            QVERIFY(a.compare(b) <= 0);
        }

        // Option groups sort by instrument name, then expiry.
        QList<Record> options;
        for (const Record& r : *table("securities")->masterIndex()) {
            if (isOption(r))
                options << r;
        }
        Column group("securities", "sec_id", [](auto* m) { return new FutNameColumnDelegate(m); });
        group.order(options);
        auto* futName = static_cast<FutNameColumnDelegate*>(group.delegate);
        for (int row = 1; row < group.model.rowCount(); ++row) {
            const FutName a = futName->futureName(group.model.records().at(row - 1));
            const FutName b = futName->futureName(group.model.records().at(row));
            QVERIFY(a.name.compare(b.name, Qt::CaseInsensitive) < 0
                || (a.name.compare(b.name, Qt::CaseInsensitive) == 0 && a.expDate <= b.expDate));
        }
    }

    void pricesShowTheInstrumentsDecimals()
    {
        Column c("orders", "price", [](auto* m) { return new PriceColumnDelegate(m); });
        Record order = find("orders", [](const Record& r) {
            return number(referenced("securities", r,
                              { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } }),
                       "decimals")
                == 0;
        });
        QVERIFY(!order.isNull());
        // Stored with four decimals, shown with the instrument's none.
        write(order, "price", QVariant::fromValue(decimal(1234560000, 4)));
        QCOMPARE(c.show(order).value<decimal>().toString(), QStringLiteral("123456"));
        // An instrument the directory does not know: the stored value, unscaled.
        write(order, "sec_id", qint64(999999999));
        QCOMPARE(c.show(order).value<decimal>().toString(), QStringLiteral("123456.0000"));
        // A null price is an empty decimal.
        write(order, "price", QVariant());
        QVERIFY(c.show(order).value<decimal>().isEmpty());
    }

    void statusOfAnEarlierSessionIsGreyWithItsName()
    {
        Column c("orders", "status", [](auto* m) { return new StatusColumnDelegate(m); });
        const Record order = find("orders");
        const int last = SessionDirectory::i()->getMaxSessId(int(number(order, "stock_id")));
        const Record status = referenced("status", order, { { "status", "code" } });

        write(order, "sess_id", last - 1);
        QCOMPARE(c.show(order, Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
        const QString earlier
            = text(find("sessions", [&](const Record& s) { return number(s, "sess_id") == last - 1; }), "sess_name");
        QCOMPARE(c.show(order, Qt::ToolTipRole).toString(),
            QStringLiteral("%1 (сессия %2)").arg(text(status, "descr"), earlier));

        write(order, "sess_id", last);
        QVERIFY(!c.show(order, Qt::ForegroundRole).isValid());
        QCOMPARE(c.show(order, Qt::ToolTipRole).toString(), text(status, "descr"));
    }

    void dealSignsTakeTheFirstMatchingRule_data()
    {
        QTest::addColumn<qint64>("signs");
        QTest::addColumn<int>("board");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toolTip");
        const qint64 bit = 1;
        QTest::newRow("execution wins over expiration") << ((bit << 5) | (bit << 7)) << 14 << "Исполнение"
                                                        << "Сделка является сделкой исполнения";
        QTest::newRow("combined board 10") << (bit << 27) << 10 << "Связка"
                                           << "Cделка по связке";
        QTest::newRow("technical, second part") << ((bit << 27) | (bit << 14)) << 14 << "Тех. сделка 2"
                                                << "Техническая сделка по связке вторая часть";
        QTest::newRow("technical, first part") << (bit << 27) << 14 << "Тех. сделка 1"
                                               << "Техническая сделка по связке первая часть";
        QTest::newRow("no sign") << qint64(0) << 14 << ""
                                 << "";
    }
    void dealSignsTakeTheFirstMatchingRule()
    {
        QFETCH(qint64, signs);
        QFETCH(int, board);
        QFETCH(QString, display);
        QFETCH(QString, toolTip);
        Column c("deals", "signs", [](auto* m) { return new DealSignDelegate(m); });
        const Record deal = find("deals");
        write(deal, "signs", signs);
        write(deal, "board_id", board);
        QVariant value;
        QVERIFY(c.delegate->data(deal.data(QStringLiteral("signs")), deal, Qt::DisplayRole, value));
        QCOMPARE(value.toString(), display);
        value.clear();
        QCOMPARE(
            c.delegate->data(deal.data(QStringLiteral("signs")), deal, Qt::ToolTipRole, value), !toolTip.isEmpty());
        QCOMPARE(value.toString(), toolTip);
    }

    void arithmeticOverANullFieldIsEmptyAndSortsAsZero()
    {
        // Given positions a + b - c where b is null on one row.
        auto* positions = table("positions");
        const QVector<ArithmeticDelegate::ColAndOp> expression { { positions->columnIndex(QStringLiteral("open_pos")),
                                                                     1 },
            { positions->columnIndex(QStringLiteral("buy_qty")), 1 },
            { positions->columnIndex(QStringLiteral("sell_qty")), -1 } };
        Column c("positions", "pos", [&](auto*) { return new ArithmeticDelegate(expression); });
        QList<Record> rows;
        for (const Record& r : *positions->masterIndex())
            rows << r;
        QVERIFY(rows.size() >= 3);
        write(rows.at(0), "buy_qty", QVariant());
        write(rows.at(1), "open_pos", qint64(-1000000));
        write(rows.at(1), "buy_qty", qint64(0));
        write(rows.at(1), "sell_qty", qint64(0));
        write(rows.at(2), "open_pos", qint64(1000000));
        write(rows.at(2), "buy_qty", qint64(0));
        write(rows.at(2), "sell_qty", qint64(0));

        auto* arithmetic = static_cast<ArithmeticDelegate*>(c.delegate);
        QVERIFY(!c.show(rows.at(0)).isValid());
        QCOMPARE(arithmetic->calcExpression(rows.at(0)).toString(), QStringLiteral("0"));
        // Then the null row sorts between the negative and the positive sum.
        QCOMPARE(c.order(rows.mid(0, 3)), QStringLiteral("-1000000||1000000"));
    }

    // Worked by hand; prices like 1.15 and 0.29 have no exact binary form.
    void dealValuesAreExactToTheKopeck_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<qint64>("lots");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1.15") << "1.15" << qint64(1) << qint64(1) << "1.15";
        QTest::newRow("0.29") << "0.29" << qint64(1) << qint64(1) << "0.29";
        QTest::newRow("Brent") << "78.45" << qint64(5) << qint64(10) << "3922.50";
        QTest::newRow("euro-dollar") << "1.0876" << qint64(2) << qint64(1000) << "2175.20";
        QTest::newRow("a tenth of a kopeck is cut") << "0.001" << qint64(1) << qint64(1) << "0.00";
        QTest::newRow("negative spread") << "-1.255" << qint64(2) << qint64(10) << "-25.10";
        QTest::newRow("dollar-rouble lot") << "91500" << qint64(7) << qint64(1000) << "640500000.00";
    }
    void dealValuesAreExactToTheKopeck()
    {
        QFETCH(QString, price);
        QFETCH(qint64, quantity);
        QFETCH(qint64, lots);
        const Record deal = *table("deals")->masterIndex()->begin();
        write(deal, "price", QVariant::fromValue(decimal::fromString(price)));
        write(deal, "quantity", quantity);
        write(deal, "lotsize", lots);
        Column c("deals", "price", [](auto* m) { return new All_DealsValueColumnDelegate(m); });
        QTEST(shown(c.show(deal)), "expected");
    }

    // The standard columns of a deals window: the lot size shows itself; the money value is a column of its own.
    void standardDealColumnsShowLotSizeAndValueAndSortByValue()
    {
        TableIndexModel model(table("deals"));
        StandardColumnDelegates::install(&model, QStringLiteral("deals"));
        QCoreApplication::processEvents();
        const int lots = model.columnIndex(QStringLiteral("lotsize"));
        const int value = model.columnIndex(QStringLiteral("value"));
        QVERIFY(lots >= 0 && value == lots + 1);
        QCOMPARE(model.headerData(value, Qt::Horizontal).toString(), QStringLiteral("Объём, руб."));
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.index(row, lots).data().toLongLong(), number(model.at(row), "lotsize"));
        model.sort(value, Qt::DescendingOrder);
        QVector<decimal> values;
        for (int row = 0; row < model.rowCount(); ++row)
            values << decimal::fromString(kopecks(model.at(row), number(model.at(row), "lotsize")));
        QVERIFY(std::is_sorted(values.rbegin(), values.rend()));
    }

    // Instruments without a base board stand last whatever the direction of the sort.
    void emptyBoardNamesStayLastInBothOrders()
    {
        Table* securities = table("securities");
        TableIndexModel model(securities);
        StandardColumnDelegates::install(&model, QStringLiteral("securities"));
        QCoreApplication::processEvents();
        const int board = model.columnIndex(QStringLiteral("main_board_id"));
        int empty = 0;
        for (const Record& r : *securities->masterIndex())
            empty += r.data(QStringLiteral("main_board_id")).isNull() ? 1 : 0;
        QVERIFY(empty > 0 && empty < model.rowCount());
        for (Qt::SortOrder order : { Qt::AscendingOrder, Qt::DescendingOrder }) {
            model.sort(board, order);
            for (int row = 0; row < model.rowCount(); ++row)
                QCOMPARE(model.at(row).data(QStringLiteral("main_board_id")).isNull(), row >= model.rowCount() - empty);
        }
    }

    void zeroInstrumentShowsAnEmptyCell()
    {
        Column c("orders", "sec_id", [](auto* m) { return new SecurityOrNullColumnDelegate(m); });
        const Record order = find("orders");
        write(order, "sec_id", qint64(0));
        QCOMPARE(c.show(order), QVariant(QString()));
    }

    void volatilityFollowsItsParameterOnlyOnOptionBoardsOfTheDerivativesMarket()
    {
        int days = 365;
        Column c("securities", "sec_id",
            [&](auto* m) { return new VolatBySecIdDelegate(m, &SecurityDirectory::horizonVolatilityBySecId, days); });
        const Record option = find("securities", isOption);
        const decimal annual = referenced(
            "volat", option, { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } })
                                   .data(QStringLiteral("volat"))
                                   .toDecimal();
        QCOMPARE(c.show(option).value<decimal>().toString(), annual.toString());
        days = 365 / 4; // the host's setting is read again at each paint
        QCOMPARE(c.show(option).value<decimal>().toDouble(),
            decimal::fromDouble(annual.toDouble() * std::sqrt(91 / 365.0), annual.scale()).toDouble());
        const Record future = find("securities", [](const Record& r) { return number(r, "board_id") == 3; });
        QVERIFY(!c.show(future).isValid());

        // The column repaints at each tick of the recalculation timer.
        QSignalSpy repaint(&c.model, &QAbstractItemModel::dataChanged);
        QVERIFY(repaint.isValid());
        QMetaObject::invokeMethod(SecurityDirectory::i()->getCalcVolatTimer(), "timeout");
        QCOMPARE(repaint.count(), 1);
    }

    void directoryReloadRepaintsEveryColumnThatReadsIt()
    {
        // Given an orders model with three columns reading the instruments and one that does not.
        RecordListModel model(table("orders"));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setColumnDelegate(QStringLiteral("sec_id"), new SecurityColumnDelegate(&model));
        model.setColumnDelegate(QStringLiteral("price"), new PriceColumnDelegate(&model));
        model.setColumnDelegate(QStringLiteral("board_id"), new BoardColumnDelegate(&model));
        model.setColumnDelegate(QStringLiteral("status"), new StatusColumnDelegate(&model));
        QList<Record> orders;
        for (const Record& r : *table("orders")->masterIndex())
            orders << r;
        model.setRecords(orders);
        QSignalSpy repaint(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(repaint.isValid());

        // When the gateway sends the instruments again.
        market->market.reload(table("securities"), 1);

        // Then the instrument-reading columns show the new names, and exactly they repaint.
        const QModelIndex name = model.index(0, model.columnIndex(QStringLiteral("sec_id")));
        QVERIFY(name.data().toString().endsWith(QLatin1String(" #1")));
        QSet<int> columns;
        for (const QList<QVariant>& args : repaint)
            columns << args.at(0).toModelIndex().column();
        QCOMPARE(columns,
            (QSet<int> { model.columnIndex(QStringLiteral("sec_id")), model.columnIndex(QStringLiteral("price")) }));
    }

    // The lot size is one the instruments directory keeps: a changed or cleared lot size shows at once.
    void orderValueFollowsTheInstrumentsLotSize()
    {
        Column c("orders", "price", [](auto* m) { return new ValueColumnDelegate(m); });
        const Record order = find("orders");
        const Record instrument = referenced(
            "securities", order, { { "stock_id", "stock_id" }, { "board_id", "board_id" }, { "sec_id", "sec_id" } });
        write(instrument, "lotsize", qint64(37));
        QCOMPARE(shown(c.show(order)), kopecks(order, 37));
        write(instrument, "lotsize", QVariant());
        QCOMPARE(shown(c.show(order)), QString());
    }

    void missingRequiredFieldsStopTheProgram()
    {
        if (qEnvironmentVariableIsSet("BV_WIRING_PROBE")) {
            // The child: a deal-sign column on a model without markets or boards.
            Table plain(QStringLiteral("plain"), { ColumnDef(FieldType::Int64, 0, QStringLiteral("signs")) }, {});
            RecordListModel model(&plain);
            new DealSignDelegate(&model);
            return;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BV_WIRING_PROBE"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("missingRequiredFieldsStopTheProgram") });
        QVERIFY(child.waitForFinished(60000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        const QString output = QString::fromUtf8(child.readAllStandardError() + child.readAllStandardOutput());
        QVERIFY2(output.contains(QStringLiteral("ASSERT failure in CHECK_COLUMNS_FUNC!\nUnsetted struct members found! "
                                                "Members position: 0 1\nFile columnmodeldelegate, Line ")),
            qPrintable(output));
    }
};

QTEST_MAIN(tst_ColumnDelegateCatalogue)
#include "tst_columndelegatecatalogue.moc"
