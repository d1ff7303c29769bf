#include "core/host/directories/accountdirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "core/host/widgets/filterlineedit.h"
#include "dialoganswers.h"
#include "models/tableindexmodel.h"
#include "orders/droporderdialog.h"
#include "orders/moveorderdialog.h"
#include "orders/private/moveorder.h"
#include "recordfields.h"
#include "terminalfixture.h"
#include "traderhands.h"
#include "views/find/itemviewfindtoolbar.h"
#include "windows/viewwrapper.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

// A stretch of a trading session in the composed terminal with the feed running: every window open, the orders
// window filtered from a header; an order typed in keeps its number while the feed adds its own and is changed
// from its row; the orders window searched and filtered by text; a firm's orders withdrawn; the window exported;
// the terminal started again from what it stored.
class tst_TradingHour : public QObject, private TerminalFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startTradingTerminal(SampleMarketOptions::sized(200, 1500, 5), 1000); }
    void cleanup() { stopTradingTerminal(); }

    void session()
    {
        // Every window open; the withdrawn orders taken off the orders window from its "Статус" header.
        m_window->openAll();
        TableWindow* window = table(*m_window, QStringLiteral("orders"));
        const int status = window->model()->columnIndex(QStringLiteral("status"));
        window->view()->scrollTo(window->view()->QAbstractItemView::model()->index(0, status));
        QHeaderView* header = window->view()->header();
        TraderHands::rightClick(header->viewport(),
            QPoint(header->sectionViewportPosition(status) + 4, header->height() / 2), QStringLiteral("Фильтры/Снята"));
        const auto shows = [&window](const std::function<bool(const Record&)>& test) {
            for (int row = 0; row < window->model()->rowCount(); ++row) {
                if (test(window->model()->at(row)))
                    return true;
            }
            return false;
        };
        const auto withdrawn = [](const Record& r) { return number(r, "status") == HostSchema::StatusCancelled; };
        QTRY_VERIFY(window->model()->rowCount() > 0 && !shows(withdrawn));

        // An order typed in on a future rests in the book under the number the exchange gave it, through the
        // feed's next batches.
        const QString client = AccountDirectory::i()->clients().value(2);
        const Record future = instrument(SampleMarket::FuturesBoard);
        const decimal low = future.data(QStringLiteral("min_price")).toDecimal();
        FutOrder* form = newOrderFor(*m_window, future);
        QVERIFY(form);
        form->accountBox()->setFocus();
        QTRY_VERIFY(form->accountBox()->hasFocus());
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        for (const QString& field : { client, low.toString(), QStringLiteral("3") }) {
            QTest::keyClicks(QApplication::focusWidget(), field);
            TraderHands::press(field == QStringLiteral("3") ? Qt::Key_Return : Qt::Key_Tab);
        }
        QTRY_COMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().values().value(QStringLiteral("Security")).toString(), text(future, "sec_code"));
        QCOMPARE(m_sent.first().values().value(QStringLiteral("BuySell")).toString(), QStringLiteral("B"));
        Table* orders = m_market->table(QStringLiteral("orders"));
        const auto mine = [&] {
            for (const Record& r : *orders->masterIndex()) {
                if (text(r, "account") == client && number(r, "quantity") == 3
                    && r.data(QStringLiteral("price")).toDecimal() == low)
                    return r;
            }
            return Record();
        };
        QTRY_VERIFY(!mine().isNull());
        const QString numberTaken = text(mine(), "order_num");
        m_feed->stop();
        m_feed->step(400);
        m_feed->step(400);
        const Record order(orders, numberTaken);
        QCOMPARE(text(order, "account"), client);
        QCOMPARE(number(order, "quantity"), qint64(3));

        // Changed from its row's menu: the menu and the dialog name it, and so does the change sent.
        const QModelIndex cell = window->view()->QAbstractItemView::model()->index(
            window->view()->rowOf(order), window->model()->columnIndex(QStringLiteral("price")));
        QVERIFY(cell.isValid());
        window->view()->scrollTo(cell);
        TraderHands::rightClick(window->view()->viewport(), TraderHands::cellPoint(window->view(), cell),
            QStringLiteral("Изменить заявку %1...").arg(numberTaken));
        MoveOrderDialog* change = nullptr;
        QTRY_VERIFY((change = shown<MoveOrderDialog>()));
        QCOMPARE(change->property("OrderId").toString(), numberTaken);
        const decimal higher = low + future.data(QStringLiteral("price_step")).toDecimal();
        change->form()->priceEditor()->setValue(higher.toString());
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        change->findChild<QPushButton*>(QStringLiteral("send"))->click();
        QTRY_COMPARE(m_sent.size(), 2);
        QCOMPARE(m_sent.last().values().value(QStringLiteral("OrderId")).toString(), numberTaken);
        QTRY_COMPARE(order.data(QStringLiteral("price")).toDecimal(), higher);
        m_feed->start();

        // Found by its account, and the rows filtered by it follow the text as it changes; Esc in the rows
        // closes the bar.
        QString other;
        for (int row = 0; row < window->model()->rowCount() && other.isEmpty(); ++row) {
            if (text(window->model()->at(row), "account") != client)
                other = text(window->model()->at(row), "account");
        }
        QVERIFY(!other.isEmpty());
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        window->view()->setFocus();
        QTest::keyClick(window->view(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window->findBar()->isVisible());
        QTRY_VERIFY(window->findBar()->lineEdit()->hasFocus());
        QTest::keyClicks(window->findBar()->lineEdit(), client);
        QTest::keyClick(window->findBar()->lineEdit(), Qt::Key_Return);
        QTRY_COMPARE(text(window->view()->currentRecord(), "account"), client);
        window->findBar()->filterAction()->trigger();
        window->findBar()->lineEdit()->selectAll();
        QTest::keyClicks(window->findBar()->lineEdit(), other);
        const auto onlyOf = [window](const QString& account) {
            for (int row = 0; row < window->model()->rowCount(); ++row) {
                if (text(window->model()->at(row), "account") != account)
                    return false;
            }
            return window->model()->rowCount() > 0;
        };
        QTRY_VERIFY(onlyOf(other));
        QCOMPARE(window->findBar()->statusText(), QString());
        window->view()->setFocus();
        QTRY_VERIFY(window->view()->hasFocus());
        QTest::keyClick(window->view(), Qt::Key_Escape);
        QVERIFY(!window->findBar()->isVisible());

        // The firm's orders withdrawn from the menu: the exchange reports, and none of them stays in the window.
        const QString firm = AccountDirectory::i()->firms().value(0);
        const auto firmActive = [&](const Record& r) {
            return text(r, "account").startsWith(firm) && number(r, "status") == HostSchema::StatusActive;
        };
        // The feed rests meanwhile: its next orders for the firm would rightly be active.
        m_feed->stop();
        mainMenuAction(*m_window, QStringLiteral("Снять все заявки..."))->trigger();
        DropOrdersDialog* drop = nullptr;
        QTRY_VERIFY((drop = shown<DropOrdersDialog>()));
        QVERIFY(drop->accountSelector()->setAccount(firm));
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        drop->accept();
        QTRY_VERIFY(notified(QStringLiteral("Снято заявок брокерской фирмы %1: ").arg(firm)));
        QVERIFY(!shows(firmActive) && !shows(withdrawn));

        // Exported, the file holds the window's rows: a header line, then one line per row.
        const QString path = m_config->filePath(QStringLiteral("orders.csv"));
        answerFileDialog([&](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
        window->wrapper()->exportAction()->trigger();
        QTRY_VERIFY(notified(QStringLiteral("экспортировано")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), window->model()->rowCount() + 1);
        QVERIFY(!lines.join().contains(QStringLiteral("Снята").toUtf8()));

        // Started again from the same configuration, the orders window still leaves the withdrawn orders out.
        QVERIFY(m_window->storeSession());
        m_window.reset();
        m_window = terminal();
        QVERIFY(m_window->restoreSession());
        window = TerminalWindow::tableView(m_window->windowOf(QStringLiteral("orders")));
        QVERIFY(window && window->model()->rowCount() > 0);
        QVERIFY(!shows(withdrawn));
        QVERIFY(window->model()->headerData(status, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    }
};

QTEST_MAIN(tst_TradingHour)
#include "tst_tradinghour.moc"
