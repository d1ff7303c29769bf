#include "core/db/relocatingbuffer.h"

#include <QRandomGenerator>
#include <QtTest>

#include <vector>

namespace {

int alive = 0;

// A value that knows where it lives: moving it as bytes (which only relocatable types allow) breaks `self`.
struct Pinned
{
    int value = 0;
    const Pinned* self = this;
    Pinned(int v = 0)
        : value(v)
    {
        ++alive;
    }
    Pinned(const Pinned& other)
        : value(other.value)
    {
        ++alive;
    }
    Pinned& operator=(const Pinned& other)
    {
        value = other.value;
        return *this;
    }
    ~Pinned() { --alive; }
    bool intact() const { return self == this; }
};

// The same count for a type that declares itself relocatable.
struct Movable
{
    int value = 0;
    Movable(int v = 0)
        : value(v)
    {
        ++alive;
    }
    Movable(const Movable& other)
        : value(other.value)
    {
        ++alive;
    }
    Movable& operator=(const Movable& other) = default;
    ~Movable() { --alive; }
    bool intact() const { return true; }
};

} // namespace

Q_DECLARE_TYPEINFO(Movable, Q_MOVABLE_TYPE);

class tst_RelocatingBuffer : public QObject
{
    Q_OBJECT

    // Random gap edits against std::vector: the same values in the same order, every object alive exactly once and,
    // for a type that may not move as bytes, never moved so.
    template<typename T>
    void randomEditsMatchAVector()
    {
        static_assert(RelocatingBuffer<T>::Relocatable == std::is_same<T, Movable>::value);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        {
            RelocatingBuffer<T> buffer;
            std::vector<int> oracle;
            for (int step = 0; step < 2000; ++step) {
                const int n = int(oracle.size());
                const int op = int(rng.bounded(6));
                if (op == 0 || n == 0) {
                    const int at = int(rng.bounded(n + 1));
                    const int count = 1 + int(rng.bounded(40));
                    std::vector<T> block;
                    for (int i = 0; i < count; ++i)
                        block.emplace_back(step * 100 + i);
                    buffer.insert(at, block.begin(), count);
                    for (int i = 0; i < count; ++i)
                        oracle.insert(oracle.begin() + at + i, step * 100 + i);
                } else if (op == 1) {
                    const int from = int(rng.bounded(n));
                    const int to = from + int(rng.bounded(n - from + 1));
                    buffer.erase(from, to);
                    oracle.erase(oracle.begin() + from, oracle.begin() + to);
                } else if (op == 2) {
                    // Disjoint runs, some empty, one pass.
                    std::vector<std::pair<int, int>> runs;
                    for (int start = int(rng.bounded(4)); start < n; start += 1 + int(rng.bounded(9))) {
                        const int end = qMin(n, start + int(rng.bounded(4)));
                        runs.emplace_back(start, end);
                        start = end;
                    }
                    buffer.eraseRuns(runs.data(), int(runs.size()));
                    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
                        oracle.erase(oracle.begin() + it->first, oracle.begin() + it->second);
                } else if (op == 3) {
                    // Ascending positions, repeats kept in order, at both ends too.
                    std::vector<int> positions;
                    const int count = 1 + int(rng.bounded(30));
                    for (int i = 0; i < count; ++i)
                        positions.push_back(i == 0 ? 0 : i == 1 ? n : int(rng.bounded(n + 1)));
                    std::sort(positions.begin(), positions.end());
                    std::vector<T> values;
                    for (int i = 0; i < count; ++i)
                        values.emplace_back(-step * 100 - i);
                    buffer.insertSorted(positions.data(), values.data(), count);
                    for (int i = count; i-- > 0;)
                        oracle.insert(oracle.begin() + positions[std::size_t(i)], -step * 100 - i);
                } else if (op == 4) {
                    RelocatingBuffer<T> tail;
                    tail.append(T(7));
                    const int from = int(rng.bounded(n + 1));
                    buffer.moveTailTo(from, tail);
                    QCOMPARE(tail.size(), 1 + n - from);
                    tail.moveTailTo(1, buffer);
                } else {
                    buffer.append(T(step));
                    oracle.push_back(step);
                }
                bool same = buffer.size() == int(oracle.size());
                for (int i = 0; same && i < buffer.size(); ++i)
                    same = buffer[i].value == oracle[std::size_t(i)] && buffer[i].intact();
                if (!same || alive != buffer.size())
                    QFAIL(qPrintable(QStringLiteral("diverged at step %1, seed %2").arg(step).arg(seed)));
            }
            const RelocatingBuffer<T> copy = buffer;
            QCOMPARE(alive, 2 * buffer.size());
            QVERIFY(std::equal(copy.begin(), copy.end(), buffer.begin(),
                [](const T& a, const T& b) { return a.value == b.value && a.intact(); }));
        }
        QCOMPARE(alive, 0);
    }

private Q_SLOTS:
    void relocatableValuesMatchAVector() { randomEditsMatchAVector<Movable>(); }
    void pinnedValuesMatchAVectorAndAreNeverMovedAsBytes() { randomEditsMatchAVector<Pinned>(); }
};

QTEST_MAIN(tst_RelocatingBuffer)
#include "tst_relocatingbuffer.moc"
