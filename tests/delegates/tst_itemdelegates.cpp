#include "columns/itemroles.h"
#include "core/db/datetime.h"
#include "core/db/xdecimal.h"
#include "delegates/itemdelegate.h"
#include "delegates/itemdelegatecolored.h"
#include "delegates/itemdelegateupdown.h"
#include "delegates/styleditemdelegate.h"
#include "delegates/textdelegate.h"

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolTip>
#include <QtTest>

#include <limits>

namespace {

// A price table: value, change time and direction per cell.
QStandardItemModel* priceModel(const datetime& now, QObject* parent)
{
    auto* model = new QStandardItemModel(6, 3, parent);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 3; ++col) {
            auto* item = new QStandardItem;
            item->setData(QVariant::fromValue(decimal(1000 * (row + 1) + col, 2)), Qt::DisplayRole);
            // Rows 0-1 changed 100 ms ago, 2-3 at 1500 ms, 4-5 long ago.
            const qint64 age = row < 2 ? 100 : row < 4 ? 1500 : 60000;
            item->setData(QVariant::fromValue(now.addMSecs(-age)), ChangeTimeRole);
            item->setData(row % 3 == 0 ? 1 : row % 3 == 1 ? -1 : 0, ChangeDirectionRole);
            item->setData(int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
            model->setItem(row, col, item);
        }
    }
    return model;
}

// Opens the option filling for the cache-key checks.
class ProbeDelegate : public ItemDelegate
{
public:
    using ItemDelegate::initStyleOption;
    using ItemDelegate::ItemDelegate;
};

// Counts the cells it really renders (a cell found in the pixmap cache is not rendered).
template<typename Base>
class RenderCounting : public Base
{
public:
    using Base::Base;
    mutable int renders = 0;

protected:
    void drawContents(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const override
    {
        ++renders;
        Base::drawContents(painter, option, value);
    }
};

// A model that refuses edits with a reason.
class RefusingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    bool setData(const QModelIndex&, const QVariant& value, int) override
    {
        if (value.toString() == QLatin1String("throw"))
            throw QStringLiteral("Цена вне лимитов");
        return false;
    }
};

} // namespace

class tst_ItemDelegates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textsOfDatabaseValues()
    {
        StyledItemDelegate delegate;
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        QLocale::setDefault(russian); // decimals follow the system's decimal point
        QCOMPARE(delegate.displayText(QVariant::fromValue(decimal(-12345, 2)), russian), QStringLiteral("-123,45"));
        QCOMPARE(delegate.displayText(QVariant::fromValue(xdecimal(decimal(5, 1))), russian), QStringLiteral("0,5"));
        const QDateTime moment(QDate(2026, 12, 5), QTime(10, 30, 15, 250));
        QCOMPARE(delegate.displayText(moment, russian),
            russian.toString(moment.date(), QLocale::ShortFormat) + QStringLiteral(" 10:30:15.250"));
        QCOMPARE(delegate.displayText(42, russian), QStringLiteral("42"));
        // Dates read as each locale writes them, by its own formatting
        const QLocale locales[] = { russian, QLocale(QLocale::English, QLocale::UnitedKingdom),
            QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
            QLocale(QLocale::French, QLocale::France), QLocale(QLocale::Japanese, QLocale::Japan),
            QLocale(QLocale::Arabic, QLocale::Egypt), QLocale::c() };
        const QDate dates[] = { QDate(2026, 1, 2), QDate(1999, 12, 31), QDate(2031, 10, 9), QDate(1, 1, 1),
            QDate(1969, 12, 31), QDate(1970, 1, 1), QDate(2000, 2, 29), QDate(2100, 3, 1), QDate(1600, 2, 29),
            QDate(1900, 3, 1), QDate(1000, 1, 1), QDate(999, 12, 31), QDate(9999, 12, 31) };
        for (const QLocale& locale : locales) {
            for (const QDate& date : dates) {
                const QDateTime at(date, QTime(9, 5, 7, 3));
                QCOMPARE(delegate.displayText(at, locale),
                    locale.toString(date, QLocale::ShortFormat) + QStringLiteral(" 09:05:07.003"));
                // The tables' moments (UTC), at the ends of the day too
                for (const QTime& time : { QTime(0, 0), QTime(9, 5, 7, 3), QTime(23, 59, 59, 999) }) {
                    const QDateTime stored = datetime::fromQDateTime(QDateTime(date, time)).toQDateTime();
                    QCOMPARE(delegate.displayText(stored, locale),
                        locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ')
                            + time.toString(QStringLiteral("hh:mm:ss.zzz")));
                }
            }
            // Whole numbers read as Qt's own item delegate writes them (signs, group separators or none, digits)
            for (const qint64 number :
                { qint64(0), qint64(7), qint64(-999), qint64(1000), qint64(-123456), qint64(1234567),
                    qint64(100000000001), std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max() }) {
                const QVariant value = QVariant::fromValue(number);
                QCOMPARE(delegate.displayText(value, locale), delegate.QStyledItemDelegate::displayText(value, locale));
                if (number == qint64(int(number))) {
                    const QVariant small = int(number);
                    QCOMPARE(
                        delegate.displayText(small, locale), delegate.QStyledItemDelegate::displayText(small, locale));
                }
            }
        }
        QCOMPARE(delegate.displayText(QDateTime(), russian), QString());
        // Texts as Qt's own item delegate shows them, line breaks as line separators
        for (const QString& text : { QString(), QString(QLatin1String("")), QStringLiteral("Фьючерсы"),
                 QStringLiteral("a\nb\n"), QStringLiteral("\r\n x \n") })
            QCOMPARE(delegate.displayText(text, russian), delegate.QStyledItemDelegate::displayText(text, russian));
    }

    void narrowDateTimeCellsKeepOnlyTheTime()
    {
        StyledItemDelegate delegate;
        const QFontMetrics metrics(QApplication::font());
        const QDateTime moment(QDate(2026, 12, 5), QTime(10, 30, 15, 250));
        const QString wide = delegate.displayElidedText(moment, QLocale::c(), metrics, Qt::ElideRight, 1000);
        QVERIFY(wide.contains(QStringLiteral("10:30:15.250")) && wide.size() > 12);
        const int timeWidth = metrics.horizontalAdvance(QStringLiteral("10:30:15.250")) + 2;
        QCOMPARE(delegate.displayElidedText(moment, QLocale::c(), metrics, Qt::ElideRight, timeWidth),
            QStringLiteral("10:30:15.250"));
        QVERIFY(delegate.displayElidedText(QStringLiteral("long text here"), QLocale::c(), metrics, Qt::ElideRight, 20)
                    .endsWith(QChar(0x2026)));
    }

    void rowHeightHintForTheFastViews()
    {
        StyledItemDelegate delegate;
        QStyleOptionViewItem option;
        option.font = QApplication::font();
        option.rect = QRect(0, 0, -1, 10);
        QCOMPARE(delegate.sizeHint(option, QModelIndex()), QSize(20, QFontMetrics(option.font).height()));
        option.font.setPointSize(option.font.pointSize() + 10);
        QCOMPARE(delegate.sizeHint(option, QModelIndex()).height(), QFontMetrics(option.font).height());
    }

    void monthsAndWeeks_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("week");
        QTest::newRow("week 1") << QDate(2026, 1, 1) << "1st week";
        QTest::newRow("week 11") << QDate(2026, 3, 12) << "11th week";
        QTest::newRow("week 12") << QDate(2026, 3, 19) << "12th week";
        QTest::newRow("week 13") << QDate(2026, 3, 26) << "13th week";
        QTest::newRow("week 21") << QDate(2026, 5, 21) << "21st week";
        QTest::newRow("week 22") << QDate(2026, 5, 28) << "22nd week";
        QTest::newRow("week 23") << QDate(2026, 6, 4) << "23rd week";
        QTest::newRow("week 24") << QDate(2026, 6, 11) << "24th week";
    }
    void monthsAndWeeks()
    {
        QFETCH(QDate, date);
        QTEST(StyledItemDelegate::expWeekToString(date), "week");
        QCOMPARE(StyledItemDelegate::dateMonthToString(QDate(2026, 3, 1)), QStringLiteral("март"));
        QCOMPARE(StyledItemDelegate::dateMonthToString(QDate()), QStringLiteral("нулябрь"));
        QCOMPARE(StyledItemDelegate::monthName(13), QString());
    }

    void equalLookingCellsShareOnePixmap()
    {
        QStandardItemModel model(4, 2);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c)
                model.setData(model.index(r, c), r < 2 ? QStringLiteral("same") : QStringLiteral("other %1").arg(c));
        QTableView view;
        ProbeDelegate delegate(&view);
        view.setModel(&model);
        auto filled = [&](const QModelIndex& index, const QRect& rect) {
            QStyleOptionViewItem option;
            option.initFrom(&view);
            option.rect = rect;
            delegate.initStyleOption(&option, index);
            return option;
        };
        // Two cells at different places with the same look, and one with another text.
        const QStyleOptionViewItem a = filled(model.index(0, 0), QRect(0, 0, 80, 20));
        const QStyleOptionViewItem b = filled(model.index(1, 1), QRect(80, 20, 80, 20));
        const QStyleOptionViewItem c = filled(model.index(2, 1), QRect(80, 40, 80, 20));
        QCOMPARE(delegate.cacheKey(a), delegate.cacheKey(b));
        QVERIFY(delegate.cacheKey(a) != delegate.cacheKey(c));

        QPixmapCache::clear();
        QPixmap canvas(400, 200);
        QPainter painter(&canvas);
        delegate.paint(&painter, a, model.index(0, 0));
        QPixmap first;
        QVERIFY(QPixmapCache::find(delegate.cacheKey(a), &first));
        delegate.paint(&painter, b, model.index(1, 1));
        QPixmap second;
        QVERIFY(QPixmapCache::find(delegate.cacheKey(b), &second));
        QCOMPARE(second.cacheKey(), first.cacheKey()); // one pixmap for both
        painter.end();

        // How the delegate draws is part of the look.
        const QString framed = delegate.cacheKey(a);
        delegate.setDrawFrame(false);
        QVERIFY(delegate.cacheKey(a) != framed);
    }

    // Cells with their own colours (a coloured column, a model's grey text) repaint from the cache like any other.
    void colouredCellsAreRenderedOnce()
    {
        QStandardItemModel model(1, 2);
        model.setData(model.index(0, 0), QStringLiteral("Снята"));
        model.setData(model.index(0, 1), QStringLiteral("Снята"));
        model.setData(model.index(0, 1), QColor(Qt::gray), Qt::ForegroundRole);
        QTableView view;
        RenderCounting<ItemDelegateColored> colored(QColor(255, 240, 200));
        RenderCounting<ItemDelegate> plain;
        QPixmapCache::clear();
        QPixmap canvas(200, 40);
        QPainter painter(&canvas);
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.rect = QRect(0, 0, 100, 20);
        for (int paint = 0; paint < 3; ++paint) {
            colored.paint(&painter, option, model.index(0, 0));
            plain.paint(&painter, option, model.index(0, 1));
        }
        QCOMPARE(colored.renders, 1);
        QCOMPARE(plain.renders, 1);
    }

    void refusedEditShowsTheReasonAndKeepsTheValue()
    {
        RefusingModel model(1, 1);
        model.QStandardItemModel::setData(model.index(0, 0), QStringLiteral("100"));
        QTableView view;
        ItemDelegate delegate(&view);
        view.setModel(&model);
        view.show();
        QLineEdit editor(&view);
        QVERIFY(!delegate.commitModelData(&editor, &model, model.index(0, 0), QStringLiteral("throw"), Qt::EditRole));
        // The tip comes from a queued call; run just that, before the offscreen platform hides it again.
        QCoreApplication::sendPostedEvents(&delegate, QEvent::MetaCall);
        QCOMPARE(QToolTip::text(), QStringLiteral("Невозможно завершить редактирование.\nЦена вне лимитов"));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("100"));
        QVERIFY(!delegate.commitModelData(&editor, &model, model.index(0, 0), QStringLiteral("x"), Qt::EditRole));
        QCoreApplication::sendPostedEvents(&delegate, QEvent::MetaCall);
        QCOMPARE(QToolTip::text(), QStringLiteral("Невозможно завершить редактирование."));
    }

    void flashFadesWithinTwoSeconds()
    {
        ItemDelegateUpDown delegate(ViewsColorManager::Securities);
        QCOMPARE(delegate.flashIntensity(100), -1); // back-light off: no flash at all
        delegate.setBacklight(true);
        QCOMPARE(delegate.flashIntensity(0), 100);
        QCOMPARE(delegate.flashIntensity(650), 100);
        QCOMPARE(delegate.flashIntensity(1300), 50);
        QCOMPARE(delegate.flashIntensity(1999), 0);
        QCOMPARE(delegate.flashIntensity(2000), -1);
        delegate.setAnimation(false);
        QCOMPARE(delegate.flashIntensity(1999), 100);
        QCOMPARE(delegate.getBackgroundColor(1), QColor(90, 200, 50));
        QCOMPARE(delegate.getBackgroundColor(-1), QColor(240, 50, 50));
        QCOMPARE(delegate.getBackgroundColor(0), QColor(Qt::gray));
    }

    void onlyRecentChangesFlashAndQueueRepaints()
    {
        const datetime now = datetime::fromQDateTime(QDateTime(QDate(2026, 12, 5), QTime(12, 0)));
        QTableView view;
        QStandardItemModel* model = priceModel(now, &view);
        auto* delegate = new ItemDelegateUpDown(ViewsColorManager::Securities, &view);
        delegate->setBacklight(true);
        delegate->updateDateTime(now);
        view.setItemDelegate(delegate);
        view.setModel(model);
        view.resize(420, 260);
        QPixmapCache::clear();
        const QImage image = view.grab().toImage();
        // Rows 0-3 changed within 2 s: 12 cells queued; rows 4-5 (a minute old) are neither flashed nor queued.
        QCOMPARE(delegate->pendingRepaints(), 12);
        const QString png = QDir::temp().filePath(QStringLiteral("bv_flash.png"));
        QVERIFY(image.save(png));
        qInfo("flashing cells grabbed to %s", qPrintable(png));

        // A flashing cell carries the flash colour, an old one only the base.
        auto cellColor = [&](int row, int column) {
            const QRect r = view.visualRect(model->index(row, column)).translated(view.viewport()->pos());
            return image.pixelColor(r.left() + 20, r.top() + 3);
        };
        QVERIFY(cellColor(0, 1).green() > cellColor(0, 1).red()); // rising: green
        QVERIFY(cellColor(1, 1).red() > cellColor(1, 1).green()); // falling: red
        QCOMPARE(cellColor(4, 1), view.palette().color(QPalette::Active, QPalette::Base));
        // Equal-looking cells share pixmaps, different prices do not: each column shows its own value.
        auto cellImage = [&](int row, int column) {
            const QRect r = view.visualRect(model->index(row, column)).translated(view.viewport()->pos());
            return image.copy(r);
        };
        QVERIFY(cellImage(0, 0) != cellImage(0, 1));

        delegate->timeout();
        QCOMPARE(delegate->pendingRepaints(), 0);
        delegate->updateDateTime(now.addMSecs(5000));
        view.grab();
        QCOMPARE(delegate->pendingRepaints(), 0);

        // A window kind without price flash colours (every kind but the instruments'): its cells show the palette,
        // with their text readable, and wait for no repaint.
        auto* orders = new ItemDelegateUpDown(ViewsColorManager::Orders, &view);
        orders->setBacklight(true);
        orders->updateDateTime(now);
        view.setItemDelegate(orders);
        QPixmapCache::clear();
        const QImage plain = view.grab().toImage();
        const QRect fresh = view.visualRect(model->index(0, 1)).translated(view.viewport()->pos());
        QCOMPARE(plain.pixelColor(fresh.left() + 20, fresh.top() + 3), view.palette().color(QPalette::Base));
        QCOMPARE(orders->pendingRepaints(), 0);
    }

    // A price column fitted to its contents shows whole prices beside their arrows: its cells end as the same cells
    // painted far wider do.
    void aFittedPriceColumnShowsWholePrices()
    {
        const datetime now = datetime::fromQDateTime(QDateTime(QDate(2026, 12, 5), QTime(12, 0)));
        QTableView view;
        QStandardItemModel* model = priceModel(now, &view);
        auto* delegate = new ItemDelegateUpDown(ViewsColorManager::Orders, &view);
        view.setItemDelegate(delegate);
        view.setModel(model);
        view.resize(600, 260);
        view.resizeColumnToContents(1);
        const auto ends = [&](int row, int width) {
            const QRect cell = view.visualRect(model->index(row, 1)).translated(view.viewport()->pos());
            return view.grab().toImage().copy(cell.right() - width, cell.top(), width + 1, cell.height());
        };
        const QFontMetrics metrics(view.font());
        QVector<QImage> fitted;
        QVector<int> widths;
        for (int row = 0; row < model->rowCount(); ++row) {
            widths << metrics.horizontalAdvance(delegate->displayText(model->index(row, 1).data(), view.locale())) + 4;
            fitted << ends(row, widths.last());
        }
        view.setColumnWidth(1, view.columnWidth(1) + 80);
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY2(ends(row, widths.at(row)) == fitted.at(row), qPrintable(QString::number(row)));
    }

    void coloredAndActionCells()
    {
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), true);
        QTableView view;
        view.setModel(&model);
        auto* colored = new ItemDelegateColored(QColor(1, 2, 3), &view);
        view.setItemDelegate(colored);
        view.resize(200, 100);
        QPixmapCache::clear();
        const QImage image = view.grab().toImage();
        const QRect cell = view.visualRect(model.index(0, 0)).translated(view.viewport()->pos());
        QCOMPARE(image.pixelColor(cell.left() + 2, cell.top() + 3), QColor(1, 2, 3));

        QAction action(QStringLiteral("Снять"));
        QSignalSpy triggered(&action, &QAction::triggered);
        TextDelegate text(action);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 100, 20);
        QMouseEvent release(
            QEvent::MouseButtonRelease, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QVERIFY(!text.editorEvent(&release, &model, option, model.index(0, 0)));
        QCOMPARE(triggered.count(), 1);
        QCOMPARE(action.data().toInt(), 0);
        model.setData(model.index(0, 0), false);
        text.editorEvent(&release, &model, option, model.index(0, 0));
        QCOMPARE(triggered.count(), 1);
        QVERIFY(text.sizeHint(option, model.index(0, 0)).width() > 0);
    }
};

QTEST_MAIN(tst_ItemDelegates)
#include "tst_itemdelegates.moc"
