#include "core/db/mapsettings.h"
#include "ordertable.h"
#include "recordlistmodel.h"

#include <QHeaderView>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

// The header's shown columns by name, left to right: "price:80 account:60".
QString layout(const QHeaderView* header, const QAbstractItemModel* model)
{
    QStringList shown;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        if (!header->isSectionHidden(section))
            shown << QStringLiteral("%1:%2")
                         .arg(model->headerData(section, Qt::Horizontal, ColumnNameRole).toString())
                         .arg(header->sectionSize(section));
    }
    return shown.join(QLatin1Char(' '));
}

} // namespace

class tst_HeaderLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Table> m_table;

    // A view over the orders table showing three columns: price, account, order number.
    std::unique_ptr<QTableView> view(RecordListModel& model)
    {
        auto v = std::make_unique<QTableView>();
        v->setModel(&model);
        QHeaderView* h = v->horizontalHeader();
        for (int c = 0; c < model.columnCount(); ++c)
            h->setSectionHidden(c, true);
        for (const char* name : { "price", "account", "order_num" }) {
            const int c = model.columnIndex(QString::fromLatin1(name));
            h->setSectionHidden(c, false);
            h->moveSection(h->visualIndex(c), h->count() - 1);
        }
        h->resizeSection(model.columnIndex(QStringLiteral("price")), 80);
        h->resizeSection(model.columnIndex(QStringLiteral("account")), 60);
        h->resizeSection(model.columnIndex(QStringLiteral("order_num")), 70);
        h->setSortIndicator(model.columnIndex(QStringLiteral("account")), Qt::DescendingOrder);
        return v;
    }

private Q_SLOTS:
    void init() { m_table.reset(makeOrderTable()); }

    void layoutRoundTripsByColumnName()
    {
        RecordListModel model(m_table.get());
        auto before = view(model);
        MapSettings settings;
        ItemModelWithDelegates::storeHeader(before->horizontalHeader(), &model, settings);
        QCOMPARE(settings.value(QStringLiteral("sortColumn")).toString(), QStringLiteral("account"));
        QCOMPARE(settings.value(QStringLiteral("sortOrder")).toString(), QStringLiteral("DESC"));
        QCOMPARE(settings.value(QStringLiteral("Columns/price.width")).toInt(), 80);
        QVERIFY(!settings.value(QStringLiteral("Columns/moment.visible")).toBool());
        QVERIFY(!settings.contains(QStringLiteral("Columns/moment.width")));

        QTableView after;
        after.setModel(&model);
        ItemModelWithDelegates::restoreHeader(after.horizontalHeader(), &model, settings);
        QCOMPARE(layout(after.horizontalHeader(), &model), QStringLiteral("price:80 account:60 order_num:70"));
        QCOMPARE(after.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(after.horizontalHeader()->sortIndicatorSection(), model.columnIndex(QStringLiteral("account")));
    }

    void newColumnsStayHiddenAndVanishedOnesAreIgnored()
    {
        MapSettings settings;
        // "moment" is listed first but not shown.
        settings.setValue(QStringLiteral("all_columns"), QStringList { "gone", "moment", "account", "price" });
        settings.setValue(QStringLiteral("Columns/gone.visible"), true);
        settings.setValue(QStringLiteral("Columns/account.visible"), true);
        settings.setValue(QStringLiteral("Columns/account.width"), 55);
        settings.setValue(QStringLiteral("Columns/price.visible"), true);
        settings.setValue(QStringLiteral("sortColumn"), QStringLiteral("volat")); // now hidden
        settings.setValue(QStringLiteral("sortOrder"), QStringLiteral("desc"));
        RecordListModel model(m_table.get());
        QTableView v;
        v.setModel(&model);
        ItemModelWithDelegates::restoreHeader(v.horizontalHeader(), &model, settings);
        QVERIFY(layout(v.horizontalHeader(), &model).startsWith(QStringLiteral("account:55 price:")));
        QCOMPARE(layout(v.horizontalHeader(), &model).count(QLatin1Char(':')), 2); // every other column hidden
        // The hidden sort column gives way to the leftmost shown one; "desc" is descending.
        QCOMPARE(v.horizontalHeader()->sortIndicatorSection(), model.columnIndex(QStringLiteral("account")));
        QCOMPARE(v.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    }

    void withoutAColumnListOnlyTheSortIsApplied()
    {
        MapSettings settings;
        settings.setValue(QStringLiteral("sortColumn"), QStringLiteral("price"));
        RecordListModel model(m_table.get());
        QTableView v;
        v.setModel(&model);
        const QString before = layout(v.horizontalHeader(), &model);
        ItemModelWithDelegates::restoreHeader(v.horizontalHeader(), &model, settings);
        QCOMPARE(layout(v.horizontalHeader(), &model), before);
        QCOMPARE(v.horizontalHeader()->sortIndicatorSection(), model.columnIndex(QStringLiteral("price")));
        QCOMPARE(v.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        ItemModelWithDelegates::storeHeader(v.horizontalHeader(), nullptr, settings); // nothing without a model
        QVERIFY(!settings.contains(QStringLiteral("all_columns")));
    }
};

QTEST_MAIN(tst_HeaderLayout)
#include "tst_headerlayout.moc"
