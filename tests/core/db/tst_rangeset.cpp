#include "core/db/rangeset.h"

#include <QtTest>

#include <numeric>

namespace {

QString text(const RangeSet<int>& set)
{
    QStringList parts;
    for (int i = 0; i < set.rangeCount(); ++i)
        parts << QStringLiteral("[%1,%2)").arg(set.range(i).start).arg(set.range(i).end);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class tst_RangeSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void membershipAndCounts()
    {
        RangeSet<int> set;
        set.insert(2, 5);
        set.insert(8);
        set.insert(9);
        QVERIFY(set.contains(2));
        QVERIFY(set.contains(4));
        QVERIFY(!set.contains(5));
        QVERIFY(set.contains(9));
        QVERIFY(!set.contains(10));
        QCOMPARE(set.totalSize(), 5);
        QCOMPARE(set.boundaries(), (QVector<int> { 2, 5, 8, 10 }));
    }

    void unionOfSets()
    {
        RangeSet<int> a;
        a.insert(0, 3);
        a.insert(10, 12);
        RangeSet<int> b;
        b.insert(3, 4);
        b.insert(11, 20);
        a.insert(b);
        QCOMPARE(text(a), QStringLiteral("[0,4) [10,20)"));
        a.clear();
        QVERIFY(a.isEmpty());
    }

    void randomInsertsMatchASetOfRows()
    {
        QRandomGenerator rng(11);
        for (int round = 0; round < 200; ++round) {
            RangeSet<int> set;
            QVector<bool> rows(200, false);
            for (int i = 0; i < 20; ++i) {
                const int s = int(rng.bounded(190));
                const int e = s + int(rng.bounded(10));
                set.insert(s, e);
                for (int r = s; r < e; ++r)
                    rows[r] = true;
            }
            for (int r = 0; r < 200; ++r)
                QCOMPARE(set.contains(r), rows[r]);
            for (int i = 1; i < set.rangeCount(); ++i)
                QVERIFY(set.range(i - 1).end < set.range(i).start); // disjoint and not touching
        }
    }

    // Against taking the rows out of a list one by one: each kept row lands where the list puts it.
    void rowsMoveDownByTheRemovedRowsBelowThem()
    {
        QRandomGenerator rng(5);
        for (int round = 0; round < 200; ++round) {
            QVector<int> list(300);
            std::iota(list.begin(), list.end(), 0);
            RangeSet<int> removed;
            RangeSet<int> kept;
            for (int row = 0; row < 300; ++row) {
                const int what = int(rng.bounded(4));
                if (what == 0)
                    removed.insert(row);
                else if (what == 1)
                    kept.insert(row);
            }
            for (int i = removed.rangeCount() - 1; i >= 0; --i)
                list.remove(removed.range(i).start, removed.range(i).size());
            RangeSet<int> expected;
            for (int place = 0; place < list.size(); ++place) {
                if (kept.contains(list[place]))
                    expected.insert(place);
            }
            QCOMPARE(text(kept.afterRemoving(removed)), text(expected));
        }
    }
};

QTEST_GUILESS_MAIN(tst_RangeSet)
#include "tst_rangeset.moc"
