#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/basecontractsparamsdirectory.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/dealfeedirectory.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/kvbrokerfeeparamdirectory.h"
#include "core/host/directories/kvcodenamedirectory.h"
#include "core/host/directories/kvfutmargintypedirectory.h"
#include "core/host/directories/kvfutsettlementdirectory.h"
#include "core/host/directories/kvuserdirectory.h"
#include "core/host/directories/optionseriesparamdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/directories/stocktimedirectory.h"
#include "core/host/directories/vmsadirectory.h"
#include "core/host/directories/volatdirectory.h"
#include "marketfixture.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {
constexpr int Futures = SampleMarket::FuturesBoard;
}

class tst_Directories : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    const SampleInstrument& future() const { return m_market->market.instruments().first(); }
    const SampleInstrument& firstOf(char sectype, int board) const
    {
        for (const SampleInstrument& i : m_market->market.instruments()) {
            if (i.sectype == sectype && i.key.board == board)
                return i;
        }
        qFatal("no such instrument");
    }

private Q_SLOTS:
    void init() { m_market = std::make_unique<MarketFixture>(); }
    void cleanup() { m_market.reset(); }

    void securitiesAnswerFromTheMarket()
    {
        const SampleInstrument& f = future();
        SecurityDirectory* d = SecurityDirectory::i();
        QCOMPARE(d->nameById(1, Futures, f.key.sec), f.name);
        QCOMPARE(d->codeById(1, Futures, f.key.sec), f.code);
        QCOMPARE(d->baseById(1, Futures, f.key.sec), QStringLiteral("RTS"));
        QCOMPARE(d->decimalsById(1, Futures, f.key.sec), f.decimals);
        QCOMPARE(d->textIdById(1, Futures, f.key.sec), f.key.textId());
        QCOMPARE(d->nameByKey(f.key), f.name);
        QCOMPARE(d->decimalsByTextId(f.key.textId()), f.decimals);
        decimal min, max, step;
        QVERIFY(d->minMaxStepByTextId(f.key.textId(), min, max, step));
        QCOMPARE(min, f.minPrice);
        QCOMPARE(max, f.maxPrice);
        QCOMPARE(step, f.step);
        int stock = 0, board = 0;
        qint64 sec = 0;
        QVERIFY(d->idByTextId(f.key.textId(), stock, board, sec));
        QCOMPARE(SecurityKey({ stock, board, sec }), f.key);
        QCOMPARE(d->recordById(1, Futures, f.key.sec).data(QStringLiteral("sec_code")).toString(), f.code);
        QCOMPARE(d->recordBySecCode(f.code, 1, Futures).data(QStringLiteral("sec_id")).toInteger64(), f.key.sec);
        QVERIFY(d->getIsinIdBySecCode(f.code) > 0);
        const QList<SecurityKey> rts = d->keysByBaseCode(QStringLiteral("RTS"), 1, Futures);
        QCOMPARE(rts.size(), m_market->market.options().expiries);
        QVERIFY(d->keysByBaseCode(QStringLiteral("RTS"), 0, 0).size() > rts.size()); // options and mirrors too
    }

    void everyInstrumentAnswersItsOwnValues()
    {
        // Each key finds its own instrument among hundreds, and a key of none finds nothing.
        SecurityDirectory* d = SecurityDirectory::i();
        QList<SecurityKey> keys;
        for (const SampleInstrument& i : m_market->market.instruments())
            keys << i.key;
        std::sort(keys.begin(), keys.end());
        QVERIFY(keys.size() > 100);
        QCOMPARE(d->keys(0, 0), keys);
        for (const SampleInstrument& i : m_market->market.instruments()) {
            const SecurityKey& k = i.key;
            QCOMPARE(d->nameById(k.stock, k.board, k.sec), i.name);
            QCOMPARE(d->decimalsById(k.stock, k.board, k.sec), i.decimals);
            qint64 lots = 0;
            QVERIFY(d->lotSizeById(k.stock, k.board, k.sec, lots));
            QCOMPARE(lots, qint64(i.lotsize));
            for (const SecurityKey& other : { SecurityKey { k.stock, k.board, -k.sec },
                     SecurityKey { k.stock + 1, k.board, k.sec }, SecurityKey { k.stock, k.board + 1000, k.sec } }) {
                if (!std::binary_search(keys.begin(), keys.end(), other))
                    QCOMPARE(d->decimalsById(other.stock, other.board, other.sec), -1);
            }
        }
    }

    void optionsAndMirrorsReferToTheirFuture()
    {
        const SampleInstrument& mirror = firstOf('F', 3);
        const Record real = SecurityDirectory::i()->realRecordById(1, 3, mirror.key.sec);
        QCOMPARE(real.data(QStringLiteral("board_id")).toInteger(), Futures);
        QCOMPARE(real.data(QStringLiteral("sec_id")).toInteger64(), mirror.future.sec);
        QCOMPARE(SecurityDirectory::i()->realRecordByTextId(mirror.key.textId()), real);
        // Elsewhere an instrument stands for itself.
        const SampleInstrument& option = firstOf('O', SampleMarket::OptionsBoard);
        QCOMPARE(SecurityDirectory::i()
                     ->realRecordById(1, SampleMarket::OptionsBoard, option.key.sec)
                     .data(QStringLiteral("sec_id"))
                     .toInteger64(),
            option.key.sec);
        QCOMPARE(SecurityDirectory::i()
                     ->recordById(1, SampleMarket::OptionsBoard, option.key.sec)
                     .data(QStringLiteral("main_sec_id"))
                     .toInteger64(),
            option.future.sec);
    }

    void unknownKeysAnswerEmpty()
    {
        SecurityDirectory* d = SecurityDirectory::i();
        QCOMPARE(d->nameById(1, 14, 42), QString());
        QCOMPARE(d->decimalsById(9, 9, 9), -1);
        QCOMPARE(d->decimalsByTextId(QStringLiteral("garbage")), -1);
        decimal min, max, step;
        QVERIFY(!d->minMaxStepByTextId(QStringLiteral("1:14:42"), min, max, step));
        QVERIFY(d->recordById(1, 14, 42).isNull());
        QVERIFY(d->realRecordById(1, 3, 42).isNull());
        QVERIFY(d->recordBySecCode(QStringLiteral("NOPE"), 1, 14).isNull());
        QCOMPARE(d->getIsinIdBySecCode(QStringLiteral("NOPE")), -1);
        QVERIFY(d->keysByBaseCode(QStringLiteral("NOPE"), 0, 0).isEmpty());
        QCOMPARE(BoardDirectory::i()->nameById(1, 99), QString());
        QVERIFY(!BoardDirectory::i()->isTradeById(2, 14));
        QCOMPARE(StockDirectory::i()->nameById(7), QString());
        QCOMPARE(SessionDirectory::i()->getMaxSessId(7), -1);
        QCOMPARE(StatusDirectory::i()->nameByKey(qint64(77)), QString());
        QCOMPARE(KvInvestorDirectory::i()->nameByCode(QStringLiteral("ZZZ")), QString());
        QCOMPARE(KvInvestorDirectory::i()->statusByCode(QStringLiteral("ZZZ")), -1);
        QCOMPARE(KvUserDirectory::i()->asprefByLogin(QStringLiteral("nobody")), -1);
        QVERIFY(FeeDirectory::i()->recordByDealId(-1).isNull());
        QCOMPARE(FutVMSADirectory::i()->getVMbySettlementAccount(QStringLiteral("ZZZ")), xdecimal::zero());
        QVERIFY(VolatDirectory::i()->volatById(1, 14, 42).isEmpty());
        QVERIFY(BaseContractsParamsDirectory::i()->recordByBaseContractCode(QStringLiteral("NOPE")).isNull());
        QVERIFY(KvBrokerFeeParamDirectory::i()->getFeeParamsByAccount(QStringLiteral("ZZZ")).current.isNull());
    }

    void dragDataCarriesTextIds()
    {
        const SampleInstrument& a = future();
        const SampleInstrument& b = firstOf('O', SampleMarket::OptionsBoard);
        std::unique_ptr<QMimeData> mime(SecurityDirectory::mimeDataForKeys({ a.key, b.key }));
        QVERIFY(mime->hasFormat(QLatin1String(SecurityDirectory::SecuritiesMimeType)));
        QCOMPARE(SecurityDirectory::i()->keysByMimeData(mime.get(), false), (QList<SecurityKey> { a.key, b.key }));
        QCOMPARE(SecurityDirectory::i()->keysByMimeData(mime.get(), true), (QList<SecurityKey> { a.key }));
        QMimeData unknown;
        unknown.setData(QLatin1String(SecurityDirectory::SecurityMimeType), "1:14:42|x");
        QVERIFY(SecurityDirectory::i()->keysByMimeData(&unknown, false).isEmpty());
        QVERIFY(SecurityDirectory::i()->keysByMimeData(nullptr, false).isEmpty());
    }

    void yieldFollowsTheSettlementPrice()
    {
        const SampleInstrument& f = future();
        decimal rate;
        QVERIFY(SecurityDirectory::i()->profitRateById(f.settle.toDouble() * 1.1, 1, Futures, f.key.sec, rate));
        QCOMPARE(rate, decimal(1000, 2));
        double a = 0, b = 0;
        QVERIFY(SecurityDirectory::i()->pctYieldCoeffsById(1, Futures, f.key.sec, a, b));
        QCOMPARE(a * f.settle.toDouble() + b, 0.0);
        QVERIFY(!SecurityDirectory::i()->profitRateById(1.0, 1, 14, 42, rate));
        QVERIFY(SecurityDirectory::i()->getCalcVolatTimer()->isActive());
    }

    void boardsStocksSessionsAndTime()
    {
        BoardDirectory* b = BoardDirectory::i();
        QCOMPARE(b->all(1).size(), 8);
        QCOMPARE(b->all(1).first().board, 1);
        QVERIFY(b->isTradeById(1, Futures) && b->isDomById(1, Futures) && b->isChartById(1, Futures)
            && b->isFavoriteById(1, Futures));
        QVERIFY(b->isIndexById(1, 4) && !b->isTradeById(1, 4));
        QVERIFY(b->isAddressById(1, 3));
        QVERIFY(b->isQRBRequestById(1, 17) && !b->isQRBRequestById(1, Futures));

        SessionDirectory* s = SessionDirectory::i();
        const int current = m_market->market.currentSession();
        QVERIFY(s->isActiveSessId(1, current));
        QVERIFY(!s->isActiveSessId(1, current - 1));
        QCOMPARE(s->getMaxSessId(1), current);
        QCOMPARE(s->activeSessIds(1), QList<int> { current });
        QVERIFY(s->nameById(1, current).startsWith(QStringLiteral("Сессия")));

        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(qAbs(StockTimeDirectory::i()->correctedLocalTime(1).msecsTo(now)) < 5000);
    }

    void accountsUsersAndMargins()
    {
        const QString client = m_market->market.clientCodes().first();
        const QString firm = m_market->market.firmCodes().first();
        const QString account = firm + QStringLiteral("000");
        QVERIFY(!KvInvestorDirectory::i()->nameByCode(client).isEmpty());
        QCOMPARE(KvInvestorDirectory::i()->codes().size(), m_market->market.clientCodes().size());
        QCOMPARE(KvDealerDirectory::i()->statusByCode(account), 0);
        QCOMPARE(KvUserDirectory::i()->asprefByLogin(QStringLiteral("trader01")), 1000);
        QVERIFY(KvUserDirectory::i()->isUser(QStringLiteral("trader02")));
        QCOMPARE(KvUserDirectory::i()->getUserList().size(), m_market->market.firmCodes().size());
        QCOMPARE(KvFutSettlementDirectory::i()->settlementAccountByCodeByType(client, 0), account);
        QVERIFY(KvFutSettlementDirectory::i()->isAcceptableSA(account));
        QCOMPARE(KvFutSettlementDirectory::i()->getSAList().size(), m_market->market.firmCodes().size());
        QVERIFY(!KvFutMarginTypeDirectory::i()->marginTypeByCode(account).isEmpty());
        QVERIFY(!KvFutMarginTypeDirectory::i()->SATypeByCode(account).isEmpty());
        QVERIFY(!KvFutMarginTypeDirectory::i()->UCPTypeByCode(account).isEmpty());
        QVERIFY(!KvFutMarginTypeDirectory::i()->operatorInputByCode(account).isEmpty());
        QCOMPARE(KvFutMarginTypeDirectory::i()->marginTypeByCode(QStringLiteral("ZZZ")), QString());
        const BrokerFeeParams params = KvBrokerFeeParamDirectory::i()->getFeeParamsByAccount(client);
        QVERIFY(!params.current.isNull());
        QVERIFY(params.hasNext); // every fourth client has a next rate
        QCOMPARE(params.next.data(QStringLiteral("seq")).toInteger(), 1);
        const xdecimal vm = FutVMSADirectory::i()->getVMbySettlementAccount(account)
            + OptVMSADirectory::i()->getVMbySettlementAccount(account);
        QVERIFY(!vm.isEmpty());
    }

    void feesSeriesVolatilitiesAndUnderlyings()
    {
        const Table* fees = m_market->table(QStringLiteral("fee"));
        QVERIFY(fees->count() > 0);
        const Record fee = fees->masterIndex()->at(0);
        const qint64 deal = fee.data(QStringLiteral("deal_num")).toInteger64();
        QCOMPARE(FeeDirectory::i()->recordByDealId(deal), fee);
        QVERIFY(!BrokerFeeDirectory::i()->recordByDealId(deal).isNull());

        const QMap<int, OptionSeriesParam> series = OptionSeriesParamDirectory::i()->getSeriesParam();
        QCOMPARE(series.size(), m_market->market.options().underlyings * m_market->market.options().expiries);
        QCOMPARE(series.first().mainSecId, future().key.sec);
        const auto byDate = OptionSeriesParamDirectory::i()->getSeriesParamData();
        QCOMPARE(byDate.value(future().expiry).first().seriesId, series.first().seriesId);

        const SampleInstrument& option = firstOf('O', SampleMarket::OptionsBoard);
        QVERIFY(!VolatDirectory::i()->volatById(1, SampleMarket::OptionsBoard, option.key.sec).isEmpty());
    }

    // The accounts follow the positions through every kind of change, the way a fresh read of the table
    // sees them; positions of accounts already known (most of what the feed adds) change nothing.
    void accountsFollowThePositions()
    {
        Table* positions = m_market->table(QStringLiteral("positions"));
        const auto fresh = [positions](bool firms) {
            QStringList codes;
            for (const Record& r : *positions->masterIndex()) {
                const QString account = r.data(QStringLiteral("account")).toString().trimmed();
                const QString code = firms ? account.left(AccountDirectory::FirmCodeLength) : account;
                if ((firms || account.size() == AccountDirectory::ClientCodeLength) && !codes.contains(code))
                    codes << code;
            }
            std::sort(codes.begin(), codes.end());
            return codes;
        };
        const auto follows = [&] {
            return AccountDirectory::i()->clients() == fresh(false) && AccountDirectory::i()->firms() == fresh(true);
        };
        const auto add = [positions](const Record& like, const QString& account) {
            static qint64 unlisted = 1000000;
            RecordsTrans trans(positions);
            RecordUpdater added(Record(positions), trans);
            added.copy(like);
            added.data(QStringLiteral("account")) = account;
            added.data(QStringLiteral("sec_id")) = ++unlisted;
        };
        QSignalSpy changed(AccountDirectory::i(), &TableDirectory::dataChanged);
        QVERIFY(follows());
        const Record first = positions->masterIndex()->at(0);
        const QString known = first.data(QStringLiteral("account")).toString();

        add(first, known);
        QCOMPARE(changed.count(), 0);
        add(first, QStringLiteral("ZZ01001"));
        add(first, QStringLiteral("AA00"));
        QCOMPARE(changed.count(), 2);
        QVERIFY(follows());
        QVERIFY(AccountDirectory::i()->isKnown(QStringLiteral("ZZ01")));

        {
            RecordsTrans trans(positions);
            for (const Record& r : *positions->masterIndex()) {
                if (r.data(QStringLiteral("account")).toString() == QStringLiteral("ZZ01001"))
                    RecordUpdater(r, trans).remove();
                else if (r.data(QStringLiteral("account")).toString() == known)
                    RecordUpdater(r, trans).data(QStringLiteral("account")) = QStringLiteral("BB02002");
            }
        }
        QVERIFY(follows());
        QVERIFY(!AccountDirectory::i()->isKnown(QStringLiteral("ZZ01001")));
        QVERIFY(AccountDirectory::i()->isKnown(QStringLiteral("BB02002")));
    }

    void reloadChangesAnswersAndTellsOnce()
    {
        const SampleInstrument& f = future();
        QSignalSpy securities(SecurityDirectory::i(), &TableDirectory::dataChanged);
        QSignalSpy boards(BoardDirectory::i(), &TableDirectory::dataChanged);
        QSignalSpy volat(VolatDirectory::i(), &TableDirectory::dataChanged);
        QVERIFY(securities.isValid() && boards.isValid() && volat.isValid());

        m_market->market.reload(m_market->table(QStringLiteral("securities")), 2);
        // The clear and the new rows are two changes of the table: one rebuild each.
        QCOMPARE(securities.count(), 2);
        QCOMPARE(SecurityDirectory::i()->nameById(1, Futures, f.key.sec), f.name + QStringLiteral(" #2"));
        QCOMPARE(boards.count(), 0);

        m_market->market.reload(m_market->table(QStringLiteral("boards")), 3);
        QCOMPARE(BoardDirectory::i()->nameById(1, Futures), QStringLiteral("Фьючерсы #3"));
        m_market->market.reload(m_market->table(QStringLiteral("volat")), 1);
        QVERIFY(volat.count() > 0);
    }

    void livePriceChangesDoNotRebuild()
    {
        QSignalSpy securities(SecurityDirectory::i(), &TableDirectory::dataChanged);
        Table* table = m_market->table(QStringLiteral("securities"));
        {
            RecordsTrans trans(table);
            for (const Record& r : *table->masterIndex())
                RecordUpdater(r, trans).data(QStringLiteral("last"))
                    = r.data(QStringLiteral("last")).toDecimal() + decimal(1, 0);
        }
        QCOMPARE(securities.count(), 0);
        // A change of a name column is seen at once.
        const Record first = table->masterIndex()->at(0);
        {
            RecordsTrans trans(table);
            RecordUpdater(first, trans).data(QStringLiteral("sec_name")) = QStringLiteral("Новое имя");
        }
        QCOMPARE(securities.count(), 1);
        QCOMPARE(SecurityDirectory::i()->nameById(
                     first.data(0).toInteger(), first.data(1).toInteger(), first.data(2).toInteger64()),
            QStringLiteral("Новое имя"));
    }

    void directoriesFollowTheCurrentCore()
    {
        const SampleInstrument f = future();
        QSignalSpy changed(SecurityDirectory::i(), &TableDirectory::dataChanged);
        m_market.reset();
        QCOMPARE(SecurityDirectory::i()->nameById(1, Futures, f.key.sec), QString());
        QVERIFY(SecurityDirectory::i()->table() == nullptr);
        QVERIFY(changed.count() > 0);
        SampleMarketOptions other = SampleMarketOptions::tiny(99);
        other.underlyings = 2;
        m_market = std::make_unique<MarketFixture>(other);
        QCOMPARE(SecurityDirectory::i()->nameById(1, Futures, f.key.sec), f.name);
        QCOMPARE(SecurityDirectory::i()->keysByBaseCode(QStringLiteral("GD"), 0, 0).size(), 0);
    }
};

QTEST_MAIN(tst_Directories)
#include "tst_directories.moc"
