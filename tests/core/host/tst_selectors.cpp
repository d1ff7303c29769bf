#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/boardselectorbox.h"
#include "core/host/selectors/boardselectorfilteredmodel.h"
#include "core/host/selectors/boardselectormodel.h"
#include "core/host/selectors/partnerselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "core/host/selectors/stockselectorbox.h"
#include "marketfixture.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class tst_Selectors : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;

    // The sample market's instruments of a board, as the generator made them.
    QList<const SampleInstrument*> instrumentsOf(int board) const
    {
        QList<const SampleInstrument*> list;
        for (const SampleInstrument& i : m_market->market.instruments()) {
            if (i.key.board == board)
                list << &i;
        }
        return list;
    }

    // Board ids of the sample market's boards table passing a test of their flags.
    QList<int> boardsWhere(const std::function<bool(int flags)>& test) const
    {
        QList<int> ids;
        for (const boardid& b : BoardDirectory::i()->all(SampleMarket::StockId)) {
            if (test(BoardDirectory::i()->flagsById(b.stock, b.board)))
                ids << b.board;
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    static QList<int> offeredBoards(const QAbstractItemModel* model)
    {
        QList<int> ids;
        for (int row = 0; row < model->rowCount(); ++row)
            ids << model->index(row, 0).data(BoardSelectorModel::BoardIdRole).toInt();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

private Q_SLOTS:
    void init() { m_market = std::make_unique<MarketFixture>(); }
    void cleanup() { m_market.reset(); }

    void instrumentBoxListsTheBoardsInstruments()
    {
        SecuritySelectorBox box;
        QAbstractItemModelTester tester(box.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QCOMPARE(box.count(), 0);
        box.setStockId(SampleMarket::StockId);
        box.setBoardId(SampleMarket::FuturesBoard);
        QCOMPARE(box.count(), instrumentsOf(SampleMarket::FuturesBoard).size());
        box.setBoardId(0);
        QCOMPARE(box.count(), m_market->market.instruments().size());

        const SampleInstrument* future = instrumentsOf(SampleMarket::FuturesBoard).first();
        box.setBoardId(SampleMarket::FuturesBoard);
        QSignalSpy changed(&box, &SecuritySelectorBox::securityChanged);
        QVERIFY(box.setSecurityId(future->key.sec));
        QCOMPARE(box.securityKey(), future->key);
        QCOMPARE(box.getSecurityCode(), future->code);
        QCOMPARE(box.getBoardId(), SampleMarket::FuturesBoard);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!box.setSecurityId(-5));
        QCOMPARE(box.securityKey(), future->key);
    }

    void typingFindsInstrumentsByCodeOrName()
    {
        SecuritySelectorBox box;
        box.setStockId(SampleMarket::StockId);
        box.setBoardId(SampleMarket::OptionsBoard);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.lineEdit()->setFocus();
        box.lineEdit()->clear();
        const QString part = instrumentsOf(SampleMarket::OptionsBoard).at(3)->code.left(4);
        QTest::keyClicks(box.lineEdit(), part);
        // As many completions as instruments whose code or name holds the typed part.
        int expected = 0;
        for (const SampleInstrument* i : instrumentsOf(SampleMarket::OptionsBoard)) {
            if (i->code.contains(part, Qt::CaseInsensitive) || i->name.contains(part, Qt::CaseInsensitive))
                ++expected;
        }
        QVERIFY(expected > 1);
        QCOMPARE(box.entryCompleter()->completionModel()->rowCount(), expected);
        QTRY_VERIFY(box.entryCompleter()->popup()->isVisible());
        // Down picks the next completion, Enter takes it.
        QTest::keyClick(box.entryCompleter()->popup(), Qt::Key_Down);
        QTest::keyClick(box.entryCompleter()->popup(), Qt::Key_Return);
        QVERIFY(box.securityKey().isValid());
        QVERIFY(box.getSecurityCode().contains(part, Qt::CaseInsensitive)
            || SecurityDirectory::i()->nameByKey(box.securityKey()).contains(part, Qt::CaseInsensitive));

        // A whole code typed in lower case is taken as that instrument.
        const SampleInstrument* wanted = instrumentsOf(SampleMarket::OptionsBoard).last();
        box.lineEdit()->selectAll();
        QTest::keyClicks(box.lineEdit(), wanted->code.toLower());
        box.entryCompleter()->popup()->hide();
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
        QCOMPARE(box.securityKey(), wanted->key);
    }

    void unknownInstrumentIsRefusedAndThePreviousKept()
    {
        SecuritySelectorBox box;
        box.setStockId(SampleMarket::StockId);
        box.setBoardId(SampleMarket::FuturesBoard);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const SampleInstrument* future = instrumentsOf(SampleMarket::FuturesBoard).first();
        QVERIFY(box.setSecurityId(future->key.sec));
        QSignalSpy refused(&box, &CompletingSelectorBox::refused);
        box.lineEdit()->setFocus();
        box.lineEdit()->selectAll();
        QTest::keyClicks(box.lineEdit(), QStringLiteral("ZZZ999"));
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().toString(), QStringLiteral("Инструмент «ZZZ999» не найден"));
        QCOMPARE(box.securityKey(), future->key);
        QCOMPARE(box.lineEdit()->text(), box.currentText());
        // An instrument of another board is not this box's either.
        QVERIFY(!box.setCurrentCode(instrumentsOf(SampleMarket::OptionsBoard).first()->code));
        QCOMPARE(box.securityKey(), future->key);
    }

    void boardBoxOffersBoardsByTheirFlags()
    {
        BoardSelectorBox box;
        QAbstractItemModelTester tester(box.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        box.setStockId(SampleMarket::StockId);
        QCOMPARE(offeredBoards(box.model()), boardsWhere([](int) { return true; }));
        QVERIFY(box.setBoardId(SampleMarket::OptionsBoard));
        box.setBoardFlagsOnFilter(HostSchema::BoardDom);
        QCOMPARE(offeredBoards(box.model()), boardsWhere([](int f) { return f & HostSchema::BoardDom; }));
        QCOMPARE(box.getBoardId(), SampleMarket::OptionsBoard);
        // Dropping the chosen board chooses the first one offered.
        box.setBoardFlagsOffFilter(HostSchema::BoardChart);
        QCOMPARE(offeredBoards(box.model()),
            boardsWhere([](int f) { return (f & HostSchema::BoardDom) && !(f & HostSchema::BoardChart); }));
        QVERIFY(box.getBoardId() != SampleMarket::OptionsBoard);
        QCOMPARE(box.getBoardId(), box.itemData(0, BoardSelectorModel::BoardIdRole).toInt());
        QVERIFY(!box.setBoardId(1));
        // Names come sorted.
        for (int row = 1; row < box.count(); ++row)
            QVERIFY(box.itemText(row - 1).compare(box.itemText(row), Qt::CaseInsensitive) <= 0);
    }

    void boardListForPositionsAndGivenBoards()
    {
        BoardSelectorModel boards;
        BoardSelectorFilteredModel offered;
        QAbstractItemModelTester t1(&boards, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester t2(&offered, QAbstractItemModelTester::FailureReportingMode::Fatal);
        offered.setSourceModel(&boards);
        offered.setForPositions(true);
        QCOMPARE(offeredBoards(&offered), boardsWhere([](int f) { return f & HostSchema::BoardTrade; }));
        offered.setFilterBoards(
            { { SampleMarket::StockId, SampleMarket::FuturesBoard }, { SampleMarket::StockId, 4 } });
        QCOMPARE(offeredBoards(&offered), QList<int>({ SampleMarket::FuturesBoard }));

        boards.setCheckable(true);
        const QModelIndex futures
            = boards.index(boards.rowOf({ SampleMarket::StockId, SampleMarket::FuturesBoard }), 0);
        QVERIFY(boards.setData(futures, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(boards.checkedBoards().size(), 1);
        QCOMPARE(boards.checkedBoards().first().board, SampleMarket::FuturesBoard);
    }

    void stockBoxListsMarketsWithinItsFilter()
    {
        StockSelectorBox box;
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.getStockId(), SampleMarket::StockId);
        QCOMPARE(box.currentText(), StockDirectory::i()->nameByIdAs(SampleMarket::StockId));
        QSignalSpy changed(&box, &StockSelectorBox::stockChanged);
        box.setStockIdFilter({ 2 });
        QCOMPARE(box.count(), 0);
        QCOMPARE(box.getStockId(), 0);
        QCOMPARE(changed.count(), 1);
        box.setStockIdFilter({ SampleMarket::StockId });
        QCOMPARE(box.getStockId(), SampleMarket::StockId);
        QVERIFY(!box.setStockId(7));
    }

    void partnerBoxTakesKnownFirmsOnly()
    {
        PartnerSelectorBox box;
        const QStringList firms = m_market->market.firmCodes();
        QCOMPARE(box.count(), firms.size());
        QVERIFY(box.setPartner(firms.last().toLower()));
        QCOMPARE(box.getPartner(), firms.last());
        QSignalSpy refused(&box, &CompletingSelectorBox::refused);
        QVERIFY(!box.setPartner(QStringLiteral("NOFIRM")));
        QCOMPARE(refused.first().first().toString(), QStringLiteral("Фирма «NOFIRM» не найдена"));
        QCOMPARE(box.getPartner(), firms.last());
        QVERIFY(box.setPartner(QString()));
        QCOMPARE(box.getPartner(), QString());
    }

    void boxesFollowTheDirectories()
    {
        SecuritySelectorBox box;
        box.setStockId(SampleMarket::StockId);
        box.setBoardId(SampleMarket::FuturesBoard);
        const SampleInstrument* future = instrumentsOf(SampleMarket::FuturesBoard).first();
        QVERIFY(box.setSecurityId(future->key.sec));
        const int before = box.count();
        // The host drops the instruments table: the box empties and forgets its choice.
        QSignalSpy changed(&box, &SecuritySelectorBox::securityChanged);
        m_market.reset();
        QCOMPARE(box.count(), 0);
        QVERIFY(!box.securityKey().isValid());
        QCOMPARE(changed.count(), 1);
        // A new market with the same instruments fills it again.
        m_market = std::make_unique<MarketFixture>();
        QCOMPARE(box.count(), before);
    }
};

QTEST_MAIN(tst_Selectors)
#include "tst_selectors.moc"
