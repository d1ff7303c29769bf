#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/kvuserdirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/filters/filterfunc.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "core/host/widgets/selectorwidget.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/catalogue/maskfilters.h"
#include "filters/catalogue/plainfilters.h"
#include "filters/rowfiltersmodel.h"
#include "filters/widgets/boardselectorwidget.h"
#include "filters/widgets/checklistfilterwidget.h"
#include "filters/widgets/datefilterwidget.h"
#include "filters/widgets/loginfilterwidget.h"
#include "filters/widgets/private/securityselectdialog.h"
#include "filters/widgets/securityfilterwidget.h"
#include "marketfixture.h"
#include "models/sessionfiltermodel.h"
#include "models/tableindexmodel.h"
#include "recordfields.h"
#include "recordlistmodel.h"
#include "sim/tradingtables.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The market's trading day stands for today.
class MarketDayFilter : public DateFilter
{
public:
    MarketDayFilter(Table& table, const QDate& day)
        : DateFilter(table)
        , m_day(day)
    { }
    QDate m_day;

    QDate today() const override { return m_day; }
};

// The keys a "|"-separated value names, as integers.
qint64 bitsOf(const QString& value)
{
    qint64 bits = 0;
    for (const QString& part : value.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        bits |= part.toLongLong();
    return bits;
}
bool listed(const QString& value, const QString& item)
{
    return value.split(QLatin1Char('|'), Qt::SkipEmptyParts).contains(item);
}

// One filter of the catalogue: how to make it over its table, the values to try, and an oracle written from the
// description over the raw field values: does a record pass under a value.
struct Case
{
    const char* table;
    std::function<Filter*(Table&)> make;
    QStringList values;
    std::function<bool(const Record&, const QString&)> passes;
};

} // namespace

class tst_FilterCatalogue : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    QDate m_day;
    Table* table(const char* name) const { return m_market->table(QString::fromLatin1(name)); }

    Record instrumentOf(const Record& r) const
    {
        return table("securities")
            ->findByKeyText(
                QStringLiteral("%1,%2,%3").arg(text(r, "stock_id"), text(r, "board_id"), text(r, "sec_id")));
    }
    static QString textId(const Record& r)
    {
        return QStringLiteral("%1:%2:%3").arg(text(r, "stock_id"), text(r, "board_id"), text(r, "sec_id"));
    }
    bool sessionActive(const Record& r) const
    {
        const Table* sessions = table("sessions");
        for (int row = 0; row < sessions->masterIndex()->count(); ++row) {
            const Record& s = sessions->masterIndex()->at(row);
            if (number(s, "stock_id") == number(r, "stock_id") && number(s, "sess_id") == number(r, "sess_id"))
                return number(s, "state") == HostSchema::SessionTrading;
        }
        return false;
    }

    QHash<QString, Case> catalogue()
    {
        const auto excluded
            = [](const Record& r, const char* field, const QString& value) { return listed(value, text(r, field)); };
        const QDate day = m_day;
        const auto dayOf = [](const Record& r) { return r.data(QStringLiteral("moment")).toDatetime().date(); };
        QHash<QString, Case> c;
        c.insert(QStringLiteral("AccountFilter"),
            { "orders", [](Table& t) { return new AccountFilter(t); }, { "F001001", "F001|F002003", "nobody" },
                [excluded](const Record& r, const QString& v) { return excluded(r, "account", v); } });
        c.insert(QStringLiteral("AccountTypeFilter"),
            { "orders", [](Table& t) { return new AccountTypeFilter(t); }, { "", "1", "2", "1|2" },
                [](const Record& r, const QString& v) {
                    const int length = text(r, "account").size();
                    const bool firm = length == 4, client = length == 7;
                    return v.isEmpty() || (firm && !listed(v, "1")) || (client && !listed(v, "2"));
                } });
        c.insert(QStringLiteral("BalanceFilter"),
            { "orders", [](Table& t) { return new BalanceFilter(t); }, { "", "1", "2", "4", "1|4", "2|4", "1|2|4" },
                [](const Record& r, const QString& v) {
                    const qint64 b = number(r, "balance"), q = number(r, "quantity");
                    const qint64 shown = 7 & ~bitsOf(v);
                    const qint64 state = b == q ? 1 : b == 0 ? 2 : 4;
                    return (shown & state) != 0;
                } });
        c.insert(QStringLiteral("BaseCodeFilter"),
            { "securities", [](Table& t) { return new BaseCodeFilter(t); }, { "Si", "Si|RTS", "" },
                [excluded](const Record& r, const QString& v) { return excluded(r, "base_code", v); } });
        c.insert(QStringLiteral("BaseCodeBySecIdFilter"),
            { "orders", [](Table& t) { return new BaseCodeBySecIdFilter(t, -1); }, { "Si", "Si|GAZR", "" },
                [this](const Record& r, const QString& v) { return listed(v, text(instrumentOf(r), "base_code")); } });
        c.insert(QStringLiteral("BoardFilter"),
            { "orders", [](Table& t) { return new BoardFilter(t); }, { "1,1", "1,14|1,3" },
                [](const Record& r, const QString& v) {
                    return listed(v, QStringLiteral("%1,%2").arg(number(r, "stock_id")).arg(number(r, "board_id")));
                } });
        c.insert(QStringLiteral("BuySellFilter"),
            { "orders", [](Table& t) { return new BuySellFilter(t); }, { "", "B", "S", "B|S" },
                [excluded](const Record& r, const QString& v) { return !excluded(r, "buysell", v); } });
        c.insert(QStringLiteral("DateFilter"),
            { "orders", [day](Table& t) { return new MarketDayFilter(t, day); },
                { "0||", "1||", "2||", QStringLiteral("3|%1|").arg(day.toString(Qt::ISODate)),
                    QStringLiteral("4|%1|%1").arg(day.addDays(-1).toString(Qt::ISODate)),
                    QStringLiteral("5||%1").arg(day.addDays(-1).toString(Qt::ISODate)) },
                [day, dayOf](const Record& r, const QString& v) {
                    const QStringList p = v.split(QLatin1Char('|'));
                    const QDate d = dayOf(r), from = QDate::fromString(p[1], Qt::ISODate),
                                to = QDate::fromString(p[2], Qt::ISODate);
                    switch (p[0].toInt()) {
                    case 1:
                        return d == day;
                    case 2:
                        return d == day || d == day.addDays(-1);
                    case 3:
                        return d >= from;
                    case 4:
                        return d >= from && d <= to;
                    case 5:
                        return d <= to;
                    default:
                        return true;
                    }
                } });
        c.insert(QStringLiteral("DealsTypeFilter"),
            { "deals", [](Table& t) { return new DealsTypeFilter(t); },
                { "", "1", "2|4|8", "16", "1|2|4|8|16|64", "1|2|4|8|16|32", "1|2|4|8|16|32|64" },
                [](const Record& r, const QString& v) {
                    const qint64 s = number(r, "signs");
                    const qint64 b = number(r, "board_id");
                    const qint64 shown = 127 & ~bitsOf(v);
                    const bool combined = s & (qint64(1) << 27);
                    const bool exercise = s & 0x20, expiration = s & 0x80, transfer = s & 0x10000,
                               negotiated = s & (qint64(1) << 26), bundle = combined && (b == 10 || b == 11),
                               technical = combined && !bundle;
                    const bool regular = !(exercise || expiration || transfer || negotiated || combined);
                    return ((shown & 1) && regular) || ((shown & 2) && exercise) || ((shown & 4) && expiration)
                        || ((shown & 8) && transfer) || ((shown & 16) && negotiated) || ((shown & 32) && bundle)
                        || ((shown & 64) && technical);
                } });
        const Record firstInstrument = table("securities")->masterIndex()->at(0);
        c.insert(QStringLiteral("ExpDateFilter"),
            { "securities", [](Table& t) { return new ExpDateFilter(t, -1); }, { text(firstInstrument, "expdate") },
                [](const Record& r, const QString& v) { return text(r, "expdate") == v; } });
        c.insert(QStringLiteral("GroupMaskFilter"),
            { "securities", [](Table& t) { return new GroupMaskFilter(t, t.columnIndex(QStringLiteral("signs"))); },
                { "", "1073741824", "2147483648", "1073741824|2147483648" },
                [](const Record& r, const QString& v) {
                    return (number(r, "signs") & (0xc0000000LL & ~bitsOf(v))) != 0;
                } });
        c.insert(QStringLiteral("LoginFilter"),
            { "orders", [](Table& t) { return new LoginFilter(t); }, { "trader01", "trader02" },
                [excluded](const Record& r, const QString& v) { return excluded(r, "login", v); } });
        c.insert(QStringLiteral("QuantityFilter"),
            { "orders", [](Table& t) { return new QuantityFilter(t); }, { "0", "25", "51" },
                [](const Record& r, const QString& v) { return number(r, "quantity") >= v.toLongLong(); } });
        c.insert(QStringLiteral("SecNameFilter"),
            { "securities", [](Table& t) { return new SecNameFilter(t, -1); },
                { text(firstInstrument, "fut_isin_id"), "" },
                [](const Record& r, const QString& v) { return listed(v, text(r, "fut_isin_id")); } });
        c.insert(QStringLiteral("SecSignFilter"),
            { "securities", [](Table& t) { return new SecSignFilter(t); },
                { "", "1", "2", "4", "1|2", "1|4", "2|4", "1|2|4" },
                [](const Record& r, const QString& v) {
                    // Classes: main session, evening session, neither; an instrument of both has two.
                    const qint64 s = number(r, "signs") & 0xff;
                    const qint64 classes = ((s & 0x40) ? 1 : 0) | ((s & 0x01) ? 2 : 0) | ((s & 0x41) ? 0 : 4);
                    return ((7 & ~bitsOf(v)) & classes) != 0;
                } });
        c.insert(QStringLiteral("SecTypeFilter"),
            { "securities", [](Table& t) { return new SecTypeFilter(t); }, { "", "F", "O" },
                [excluded](const Record& r, const QString& v) { return !excluded(r, "sectype", v); } });
        c.insert(QStringLiteral("SecStateFilter"),
            { "securities", [](Table& t) { return new SecStateFilter(t); }, { "", "1" },
                [excluded](const Record& r, const QString& v) { return !excluded(r, "state", v); } });
        // An instrument the orders trade, and a negotiated-deal mirror, which stands for its real instrument.
        const Record traded = instrumentOf(table("orders")->masterIndex()->at(0));
        QString mirror;
        const MasterIndex* instruments = table("securities")->masterIndex();
        for (int row = 0; row < instruments->count() && mirror.isEmpty(); ++row) {
            if (number(instruments->at(row), "board_id") == 3)
                mirror = textId(instruments->at(row));
        }
        c.insert(QStringLiteral("SecurityFilter"),
            { "orders", [](Table& t) { return new SecurityFilter(t, "sec_id", -1); }, { textId(traded), mirror },
                [this](const Record& r, const QString& v) {
                    const Record chosen = table("securities")->findByKeyText(QString(v).replace(':', ','));
                    const bool isMirror = number(chosen, "board_id") == 3;
                    return number(r, "board_id")
                        == (isMirror ? number(chosen, "main_board_id") : number(chosen, "board_id"))
                        && number(r, "sec_id") == (isMirror ? number(chosen, "main_sec_id") : number(chosen, "sec_id"));
                } });
        c.insert(QStringLiteral("SessionFilter"),
            { "orders", [](Table& t) { return new SessionFilter(t); }, { "", "1", "2", "1|2" },
                [this](const Record& r, const QString& v) {
                    return ((3 & ~bitsOf(v)) & (sessionActive(r) ? 1 : 2)) != 0;
                } });
        c.insert(QStringLiteral("SignsOrderFilter"),
            { "orders", [](Table& t) { return new SignsOrderFilter(t); }, { "", "1", "2", "1|2" },
                [](const Record& r, const QString& v) {
                    const bool iceberg = number(r, "signs") & (qint64(1) << 47);
                    const qint64 shown = 3 & ~bitsOf(v);
                    return ((shown & 1) && !iceberg) || ((shown & 2) && iceberg);
                } });
        c.insert(QStringLiteral("StatusFilter"),
            { "orders", [](Table& t) { return new StatusFilter(t); }, { "", "1", "2|3", "1|2|3|4" },
                [excluded](const Record& r, const QString& v) { return !excluded(r, "status", v); } });
        c.insert(QStringLiteral("TechDealsFilter"),
            { "deals", [](Table& t) { return new TechDealsFilter(t); }, { "0", "1", "2" },
                [](const Record& r, const QString& v) {
                    const qint64 s = number(r, "signs");
                    const qint64 b = number(r, "board_id");
                    const bool technical = (s & 0x100a0) || ((s & (qint64(1) << 27)) && b != 10 && b != 11);
                    return v == QLatin1String("1") ? technical : v == QLatin1String("2") ? !technical : true;
                } });
        return c;
    }

private Q_SLOTS:
    void initTestCase()
    {
        SampleMarketOptions o = SampleMarketOptions::tiny(7);
        o.orders = 6000;
        m_day = o.now.date();
        m_market = std::make_unique<MarketFixture>(o);
        // Combined deals on the bundle boards: the sample trades none there.
        Table* deals = table("deals");
        RecordsTrans trans(deals);
        for (int row = 0; row < 3; ++row) {
            RecordUpdater u(deals->masterIndex()->at(row * 7), trans);
            u.data(QStringLiteral("signs")) = TradingTables::CombinedSign;
            u.data(QStringLiteral("board_id")) = 10 + row % 2;
        }
        trans.commit();
    }
    void cleanupTestCase() { m_market.reset(); }

    void predicatesMatchTheirOracleOnEveryRecord_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("value");
        const QHash<QString, Case> all = catalogue();
        for (auto it = all.begin(); it != all.end(); ++it) {
            for (const QString& value : it->values)
                QTest::addRow("%s %s", qPrintable(it.key()), qPrintable(value)) << it.key() << value;
        }
    }
    // Each value's predicate (and the one restored from settings) decides every record of the sample as the
    // oracle does.
    void predicatesMatchTheirOracleOnEveryRecord()
    {
        QFETCH(QString, filter);
        QFETCH(QString, value);
        const Case c = catalogue().value(filter);
        Table* t = table(c.table);
        std::unique_ptr<Filter> f(c.make(*t));
        f->setValue(value);
        f->setEnabled(true);

        // Stored and read back by a filter set, as a window keeps it across restarts.
        RecordListModel model(t);
        MapSettings settings;
        {
            RowFiltersModel set(&model);
            set.addFilter(f.get());
            set.write(settings);
            set.removeFilter(f.get());
        }
        std::unique_ptr<Filter> restored(c.make(*t));
        RowFiltersModel set(&model);
        set.addFilter(restored.get());
        set.read(settings);
        QCOMPARE(restored->value(), f->value());
        QCOMPARE(restored->isEnabled(), f->hasValue());

        QObject owner;
        const FilterFunc* predicate = f->createFilterFunc(&owner);
        const FilterFunc* restoredPredicate = restored->createFilterFunc(&owner);
        const MasterIndex* records = t->masterIndex();
        for (int row = 0; row < records->count(); ++row) {
            const Record& r = records->at(row);
            const bool expected = c.passes(r, value);
            if (predicate->filter(r) != expected || restoredPredicate->filter(r) != expected)
                QFAIL(qPrintable(QStringLiteral("%1 decides %2 wrongly").arg(predicate->toString(), t->keyText(r))));
        }
    }

    // Values that no longer name anything after a restart (a status code that vanished, foreign strings) leave
    // their filters off; the valid ones come back as they were.
    void everyEditorGivesBackTheValueItWasFilledWith_data() { predicatesMatchTheirOracleOnEveryRecord_data(); }
    // What the settings page and the tool bars rely on: filling an editor from a filter and reading it back
    // changes nothing, on or off.
    void everyEditorGivesBackTheValueItWasFilledWith()
    {
        QFETCH(QString, filter);
        QFETCH(QString, value);
        const Case c = catalogue().value(filter);
        std::unique_ptr<Filter> f(c.make(*table(c.table)));
        for (const bool on : { true, false }) {
            f->setValue(value);
            f->setEnabled(on && f->hasValue());
            const QString before = f->value();
            const bool enabled = f->isEnabled();
            QScopedPointer<QWidget> editor(f->createFilterWidget(nullptr));
            if (!editor)
                QSKIP("set in the header's menus only");
            f->init(editor.data());
            f->apply(editor.data());
            QCOMPARE(f->isEnabled(), enabled);
            // The same keys, in whatever order the editor lists them.
            const auto keysOf = [](const QString& v) {
                QStringList keys = v.split(QLatin1Char('|'));
                keys.sort();
                return keys;
            };
            if (enabled)
                QCOMPARE(keysOf(f->value()), keysOf(before));
        }
    }

    // An editor holding what its filter cannot take says why, and the filter stays as it was.
    void editorsRefuseWhatTheirFilterCannotHold()
    {
        const auto refused = [](Filter& f, FilterWidget* editor) {
            const QString value = f.value();
            const bool enabled = f.isEnabled();
            f.apply(editor);
            return f.value() == value && f.isEnabled() == enabled && !editor->shownReason().isEmpty();
        };
        StatusFilter status(*table("orders"));
        QScopedPointer<CheckListFilterWidget> list(
            qobject_cast<CheckListFilterWidget*>(status.createFilterWidget(nullptr)));
        status.init(list.data());
        list->selector()->setAllChecked(false);
        QVERIFY(refused(status, list.data()));

        DateFilter date(*table("orders"));
        QScopedPointer<DateFilterWidget> dates(qobject_cast<DateFilterWidget*>(date.createFilterWidget(nullptr)));
        dates->setMode(4);
        dates->setDates(QDate(2026, 12, 7), QDate(2026, 12, 1));
        QVERIFY(refused(date, dates.data()));
        dates->fromBox()->setChecked(false);
        dates->toBox()->setChecked(false);
        QVERIFY(refused(date, dates.data()));

        LoginFilter login(*table("orders"));
        QScopedPointer<LoginFilterWidget> logins(qobject_cast<LoginFilterWidget*>(login.createFilterWidget(nullptr)));
        logins->loginButton()->setChecked(true);
        logins->box()->setEditText(QStringLiteral("trader 01"));
        QVERIFY(refused(login, logins.data()));

        SecurityFilter security(*table("orders"), "sec_id", -1);
        QScopedPointer<SecurityFilterWidget> one(
            qobject_cast<SecurityFilterWidget*>(security.createFilterWidget(nullptr)));
        one->setFiltering(true); // "Инструмент" without one chosen
        QVERIFY(refused(security, one.data()));
    }

    // The instrument chooser of the filters: a typed code picks that instrument, whichever case it is typed in,
    // also where another code holds it and comes first in the list ("ASiM7" before "SiM7").
    void instrumentChoiceTakesTheTypedCode()
    {
        Table* securities = table("securities");
        const Record first = securities->masterIndex()->at(0);
        {
            RecordsTrans trans(securities);
            RecordUpdater holder(first.clone(), trans);
            holder.data(QStringLiteral("sec_code"))
                = QStringLiteral("A") + first.data(QStringLiteral("sec_code")).toString();
            holder.data(QStringLiteral("sec_id")) = qint64(999999);
        }
        SecuritySelectDialog dialog;
        auto* search = dialog.findChild<QLineEdit*>();
        for (const Record& r : *securities->masterIndex()) {
            const QString code = r.data(QStringLiteral("sec_code")).toString();
            search->clear();
            QTest::keyClicks(search, code.toLower());
            const Record chosen = securities->findByKeyText(dialog.selectedTextId().replace(':', ','));
            QCOMPARE(chosen.data(QStringLiteral("sec_code")).toString(), code);
        }
        RecordsTrans trans(securities);
        RecordUpdater(securities->findByKeyText(QStringLiteral("%1,%2,999999")
                                                    .arg(first.data(QStringLiteral("stock_id")).toInteger())
                                                    .arg(first.data(QStringLiteral("board_id")).toInteger())),
            trans)
            .remove();
    }

    void unusableStoredValuesLeaveTheirFiltersOff()
    {
        Table* orders = table("orders");
        RecordListModel model(orders);
        RowFiltersModel set(&model);
        StatusFilter status(*orders);
        DateFilter date(*orders);
        QuantityFilter quantity(*orders);
        SecurityFilter security(*orders, "sec_id", -1);
        BuySellFilter side(*orders);
        for (Filter* f : std::initializer_list<Filter*> { &status, &date, &quantity, &security, &side })
            set.addFilter(f);
        MapSettings settings;
        const auto store = [&settings, &set](Filter& f, const char* value) {
            settings.setValue(QStringLiteral("filters/%1.value").arg(set.settingsKey(&f)), QString::fromUtf8(value));
            settings.setValue(QStringLiteral("filters/%1.enabled").arg(set.settingsKey(&f)), true);
        };
        store(status, "99");
        store(date, "7|вчера|");
        store(quantity, "много");
        store(security, "1:14");
        store(side, "S");
        set.read(settings);
        QVERIFY(!status.isEnabled() && !date.isEnabled() && !security.isEnabled());
        QCOMPARE(quantity.value(), QStringLiteral("0"));
        QVERIFY(side.isEnabled());
        QCOMPARE(side.value(), QStringLiteral("S"));
    }

    // The today modes move with the host's new day: one rebuild, the value kept; other modes stay.
    void dateFilterFollowsTheNewDay()
    {
        Table* orders = table("orders");
        TableIndexModel model(orders);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        QCoreApplication::processEvents();
        MarketDayFilter date(*orders, m_day);
        model.filtersModel()->addFilter(&date);
        date.setMode(DateFilter::Today);
        model.filtersModel()->notifyFilterChanged(0, true);
        QCOMPARE(model.rowCount(), orders->count());

        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        date.m_day = m_day.addDays(1); // midnight
        Q_EMIT m_market->core.signalHub()->aNewDay();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(date.value().section(QLatin1Char('|'), 0, 0), QStringLiteral("1"));

        date.setMode(DateFilter::YesterdayAndToday);
        model.filtersModel()->notifyFilterChanged(0, true);
        QCOMPARE(model.rowCount(), orders->count());
        date.setValue(QStringLiteral("4|%1|%1").arg(m_day.toString(Qt::ISODate)));
        model.filtersModel()->notifyFilterChanged(0, true);
        reset.clear();
        Q_EMIT m_market->core.signalHub()->aNewDay();
        QCOMPARE(reset.count(), 0);
        model.filtersModel()->removeFilter(&date);
    }

    // New sessions make the session filter's model rebuild once, and it then passes by the new active session.
    void sessionFilterFollowsNewSessions()
    {
        Table* orders = table("orders");
        TableIndexModel model(orders);
        QCoreApplication::processEvents();
        SessionFilter session(*orders);
        model.filtersModel()->addFilter(&session);
        model.filtersModel()->setFilterValueAndEnabled(0, QStringLiteral("2"), true); // active sessions only
        const int before = model.rowCount();

        // The exchange moves to the next session: the current one finishes, a new one trades.
        Table* sessions = table("sessions");
        RecordsTrans trans(sessions);
        for (int row = 0; row < sessions->masterIndex()->count(); ++row) {
            const Record& s = sessions->masterIndex()->at(row);
            if (number(s, "state") == HostSchema::SessionTrading)
                RecordUpdater(s, trans).data(QStringLiteral("state")) = int(HostSchema::SessionFinished);
            else if (number(s, "state") == HostSchema::SessionFinished)
                RecordUpdater(s, trans).data(QStringLiteral("state")) = int(HostSchema::SessionTrading);
        }
        trans.commit();
        QCoreApplication::processEvents();
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        m_market->core.decoder()->announceNewSessions();
        QCOMPARE(reset.count(), 1);
        int expected = 0;
        for (int row = 0; row < orders->masterIndex()->count(); ++row)
            expected += sessionActive(orders->masterIndex()->at(row));
        QCOMPARE(model.rowCount(), expected);
        QVERIFY(model.rowCount() != before);
        model.filtersModel()->removeFilter(&session);
    }

    // A base contract is named by the first futures contract of its number, and follows a rename of it.
    void baseContractsAreNamedByTheirFutures()
    {
        Table* instruments = table("securities");
        const MasterIndex* all = instruments->masterIndex();
        QHash<qint64, Record> futures;
        for (int row = 0; row < all->count(); ++row) {
            const Record& r = all->at(row);
            if (text(r, "sectype") == QLatin1String("F") && !futures.contains(number(r, "isin_id")))
                futures.insert(number(r, "isin_id"), r);
        }
        QVERIFY(futures.size() > 1);
        SecNameFilter contracts(*instruments, -1);
        for (int row = 0; row < all->count(); ++row) {
            const Record& r = all->at(row);
            const Record future = futures.value(number(r, "fut_isin_id"));
            if (!future.isNull())
                QCOMPARE(contracts.keyToText(contracts.keyFromRecord(r)), text(future, "sec_name"));
        }
        Record renamed = futures.begin().value();
        const QString before = text(renamed, "sec_name");
        renamed.data(QStringLiteral("sec_name")) = QStringLiteral("Новое имя");
        renamed.updated(instruments->columnIndex(QStringLiteral("sec_name")));
        QCOMPARE(contracts.keyToText(contracts.keyFromRecord(renamed)), QStringLiteral("Новое имя"));
        renamed.data(QStringLiteral("sec_name")) = before;
        renamed.updated(instruments->columnIndex(QStringLiteral("sec_name")));
    }

    // The instruments restricted to the current session on top of their filters: one rebuild per turn of the
    // switch and per new sessions, the switch kept under "onlyCurrSession".
    void instrumentsRestrictedToTheCurrentSession()
    {
        Table* instruments = table("securities");
        const auto inSession = [&] {
            int n = 0;
            for (int row = 0; row < instruments->masterIndex()->count(); ++row)
                n += sessionActive(instruments->masterIndex()->at(row));
            return n;
        };
        SessionFilterModel<TableIndexModel> model(instruments);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        QCoreApplication::processEvents();
        QCOMPARE(model.rowCount(), instruments->count());
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setSessionFilterEnabled(true);
        model.setSessionFilterEnabled(true);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), inSession());
        QVERIFY(model.rowCount() > 0 && model.rowCount() < instruments->count());
        MapSettings stored;
        model.writeSessionFilter(stored);
        QCOMPARE(stored.value(QStringLiteral("onlyCurrSession")).toBool(), true);
        m_market->core.decoder()->announceNewSessions();
        QCOMPARE(reset.count(), 2);

        SessionFilterModel<TableIndexModel> restored(instruments);
        QCoreApplication::processEvents();
        restored.readSessionFilter(stored);
        QVERIFY(restored.isSessionFilterEnabled());
        QCOMPARE(restored.rowCount(), inSession());
    }

    // A login is chosen among the terminal's users or typed; the list follows the users.
    void loginChoiceOffersTheTerminalsUsers()
    {
        LoginFilterWidget editor;
        auto* logins = qobject_cast<LoginFilterModel*>(editor.box()->model());
        QVERIFY(logins);
        new QAbstractItemModelTester(logins, QAbstractItemModelTester::FailureReportingMode::Fatal, logins);
        QStringList users = KvUserDirectory::i()->getUserList();
        users.sort();
        QCOMPARE(logins->stringList(), users);
        QVERIFY(editor.allButton()->isChecked() && !editor.box()->isEnabled());
        editor.setLogin(QStringLiteral("trader02"));
        QVERIFY(editor.loginButton()->isChecked() && editor.box()->isEnabled());
        QCOMPARE(editor.login(), QStringLiteral("trader02"));
        editor.allButton()->setChecked(true);
        QCOMPARE(editor.login(), QString());

        Table* kvUsers = table("kv.user");
        Record user(kvUsers);
        user.data(QStringLiteral("login")) = QStringLiteral("aaa_new");
        user.data(QStringLiteral("aspref")) = 99999;
        user.append();
        QCOMPARE(logins->stringList().first(), QStringLiteral("aaa_new"));
        user.remove();
        QCOMPARE(logins->stringList(), users);
    }

    // The board editor offers the boards the host keeps, and keeps the checks of the others as the host's choice
    // changes.
    void boardEditorFollowsTheHostsChoiceOfBoards()
    {
        BoardFilter boards(*table("orders"));
        QScopedPointer<BoardSelectorWidget> editor(
            qobject_cast<BoardSelectorWidget*>(boards.createFilterWidget(nullptr)));
        boards.init(editor.data());
        const boardlist all = editor->offeredBoards();
        QVERIFY(all.size() > 2);
        editor->setUnchecked({ all.at(0) });
        SignalHub* hub = m_market->core.signalHub();
        hub->setBoardsEnabled(false, { all.at(1) });
        boardlist kept = all;
        kept.removeAt(1);
        QCOMPARE(editor->offeredBoards(), kept);
        QVERIFY(!editor->checkedBoards().contains(all.at(0)));
        hub->setStockIds({ 2 });
        QVERIFY(editor->offeredBoards().isEmpty());
        hub->setStockIds({});
        hub->setBoardsEnabled(true, { all.at(1) });
        QCOMPARE(editor->offeredBoards(), all);
        QCOMPARE(editor->checkedBoards().size(), all.size() - 1);
    }

    // Market 1 stays hidden unless the application allows it, and the market filter cannot then be turned off.
    void marketFilterKeepsTheFirstMarketHiddenUnlessAllowed()
    {
        QTemporaryDir dir;
        AppSettings::setLocation(dir.path());
        Table* orders = table("orders");
        StockFilter stock(*orders);
        QObject owner;
        stock.setEnabled(false);
        QVERIFY(stock.isEnabled());
        QVERIFY(!stock.createFilterFunc(&owner)->filter(orders->masterIndex()->at(0)));

        AppSettings(QStringLiteral("Kestrel2")).setValue(QStringLiteral("TARVEN"), true);
        stock.setEnabled(false);
        QVERIFY(!stock.isEnabled());
        QVERIFY(stock.createFilterFunc(&owner)->filter(orders->masterIndex()->at(0)));
        stock.setValue(QString()); // no market shown
        QCOMPARE(stock.value(), QString());
        QVERIFY(!stock.createFilterFunc(&owner)->filter(orders->masterIndex()->at(0)));
        // Its editor lists the market by name; checked, the market is shown.
        QScopedPointer<StockFilterWidget> markets(qobject_cast<StockFilterWidget*>(stock.createFilterWidget(nullptr)));
        QVERIFY(markets);
        stock.init(markets.data());
        QCOMPARE(markets->model()->rowCount(), 1);
        QCOMPARE(markets->model()->index(0, 0).data().toString(), StockDirectory::i()->nameById(1));
        markets->selector()->setAllChecked(true);
        stock.apply(markets.data());
        QCOMPARE(stock.value(), QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_FilterCatalogue)
#include "tst_filtercatalogue.moc"
