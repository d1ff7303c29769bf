#include "core/host/stream/streamreplayer.h"

#include "core/db/guilog.h"
#include "core/db/recordbytes.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/tableregistry.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <climits>
#include <map>
#include <memory>

using namespace StreamFormat;

namespace {

// What a turn spends at most, once the stream is ahead of the tables: long enough to batch, short enough for the
// event loop to answer and the windows to paint in between.
constexpr double TurnMs = 20;
constexpr qint64 MinTurnChanges = 500;
constexpr qint64 MaxTurnChanges = 200000;
constexpr int PacedIntervalMs = 10;

struct TransactionHead
{
    quint8 kind = 0;
    qint64 moment = 0;
    quint16 table = 0;
    quint32 removed = 0;
    quint32 updated = 0;
    quint32 added = 0;
    qint16 first = -1;
    qint16 last = -1;
};

TransactionHead readHead(ByteReader& in)
{
    TransactionHead h;
    h.kind = in.get<quint8>();
    h.moment = in.get<qint64>();
    h.table = in.get<quint16>();
    if (h.kind == Batch || h.kind == Snapshot) {
        h.removed = in.get<quint32>();
        h.updated = in.get<quint32>();
        h.added = in.get<quint32>();
        h.first = in.get<qint16>();
        h.last = in.get<qint16>();
    }
    return h;
}

// A key as the file holds it, read in place: the file stays mapped while the replayer lives.
QByteArray keyAt(const uchar* data, int size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), size);
}

// Bytes of one updated record's changed columns and of its has-value bits.
int changedBytes(const RowLayout& layout, int first, int last)
{
    const int bits = layout.valueBitOffset(0);
    return first < 0 ? bits : layout.offset(last) + layout.size(last) - layout.offset(first);
}

// The bytes after a transaction's head.
qint64 bodyBytes(const RowLayout& layout, int keyBytes, const TransactionHead& h)
{
    if (h.kind == Clear)
        return 0;
    const qint64 update
        = keyBytes + changedBytes(layout, h.first, h.last) + layout.rowBytes() - layout.valueBitOffset(0);
    return qint64(h.removed) * keyBytes + qint64(h.updated) * update + qint64(h.added) * layout.rowBytes();
}

QString missing(const QString& table)
{
    return StreamReplayer::tr("в таблице '%1' нет записи, которую меняет запись потока").arg(table);
}

} // namespace

// The transactions of one turn, one per table, applied in the order the tables first appear. Records are found
// by key among this turn's inserts and removals first, then in the table.
class StreamReplayer::Turn
{
public:
    struct Run
    {
        Table* table = nullptr;
        std::unique_ptr<RecordsTrans> trans;
        QHash<QByteArray, Record> inserted;
        QSet<QByteArray> removed;
        Record keySource;
        QByteArray row;
        qint64 changes = 0; // staged, all lost when the table refuses the transaction
    };

    explicit Turn(StreamReplayer* replayer)
        : m_replayer(replayer)
    { }

    Run& run(int id, Table* table)
    {
        auto found = m_runs.find(id);
        if (found != m_runs.end())
            return found->second;
        Run& run = m_runs[id];
        run.table = table;
        run.trans = std::make_unique<RecordsTrans>(table);
        run.keySource = Record(table);
        run.row = QByteArray(table->layout().rowBytes(), '\0');
        m_order.push_back(id);
        return run;
    }
    Record find(Recorded& recorded, Run& run, const QByteArray& key)
    {
        const auto inserted = run.inserted.constFind(key);
        if (inserted != run.inserted.constEnd())
            return *inserted;
        if (run.removed.contains(key))
            return Record();
        const uchar* bytes = reinterpret_cast<const uchar*>(key.constData());
        const quint64 sum = checksum(bytes, key.size());
        const auto known = recorded.handles.constFind(sum);
        if (known != recorded.handles.constEnd() && known->inTable() && known->table() == run.table
            && holdsKey(recorded.layout, recorded.keys, known->rawData(), bytes))
            return *known;
        uchar* row = reinterpret_cast<uchar*>(run.row.data());
        readKey(recorded.layout, recorded.keys, bytes, row);
        RecordBytes::write(run.keySource, 0, row, recorded.layout.rowBytes());
        const Record found = run.table->find(run.keySource);
        if (!found.isNull())
            recorded.handles.insert(sum, found);
        return found;
    }
    // Applies the table's transaction now, before a clear of the table, or all of them at the end of the turn.
    void commit(int id)
    {
        auto found = m_runs.find(id);
        if (found == m_runs.end())
            return;
        commitRun(found->second);
        m_runs.erase(found);
        m_order.erase(std::remove(m_order.begin(), m_order.end(), id), m_order.end());
    }
    void commitAll()
    {
        for (int id : m_order)
            commitRun(m_runs[id]);
        m_runs.clear();
        m_order.clear();
    }

private:
    void commitRun(Run& run)
    {
        QElapsedTimer clock;
        clock.start();
        try {
            run.trans->commit();
        } catch (const QString& message) {
            qCWarning(QGuiLog).noquote() << "replayed transaction refused:" << message;
            run.trans->clear();
            m_replayer->skip(run.changes,
                StreamReplayer::tr("таблица '%1' отказалась от изменений: %2").arg(run.table->name(), message));
        }
        m_replayer->m_tablesMs += clock.nsecsElapsed() / 1e6;
    }

    StreamReplayer* m_replayer; // not owned
    std::map<int, Run> m_runs;
    std::vector<int> m_order;
};

StreamReplayer::StreamReplayer(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StreamReplayer::onTimeout);
}

StreamReplayer::~StreamReplayer() = default;

void StreamReplayer::open(const QString& path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        throw tr("Не удалось открыть запись потока '%1': %2").arg(path, m_file.errorString());
    m_size = m_file.size();
    m_data = m_size > 0 ? m_file.map(0, m_size) : nullptr;
    if (!m_data && m_size > 0) {
        m_contents = m_file.readAll();
        m_data = reinterpret_cast<const uchar*>(m_contents.constData());
        m_size = m_contents.size();
    }
    const qint64 magicBytes = qMin<qint64>(m_size, sizeof(Magic));
    if (m_size == 0 || std::memcmp(m_data, Magic, std::size_t(magicBytes)) != 0)
        throw tr("'%1' не запись потока терминала").arg(path);
    const QString damaged = tr("Запись потока '%1' повреждена: %2");
    if (m_size < HeaderFixedBytes)
        throw damaged.arg(path, tr("файл обрывается в заголовке"));
    ByteReader fixed(m_data + sizeof(Magic), HeaderFixedBytes - qsizetype(sizeof(Magic)));
    const quint32 version = fixed.get<quint32>();
    const quint32 headerBytes = fixed.get<quint32>();
    const quint64 headerSum = fixed.get<quint64>();
    if (version != Version)
        throw tr("Запись потока '%1' сделана в формате версии %2, а терминал читает версию %3")
            .arg(path)
            .arg(version)
            .arg(Version);
    if (m_size - HeaderFixedBytes < qint64(headerBytes))
        throw damaged.arg(path, tr("файл обрывается в заголовке"));
    if (checksum(m_data + HeaderFixedBytes, headerBytes) != headerSum)
        throw damaged.arg(path, tr("заголовок не сходится с контрольной суммой"));

    ByteReader in(m_data + HeaderFixedBytes, headerBytes);
    in.get<qint64>(); // the moment the recording started
    const int tables = in.get<quint16>();
    for (int t = 0; t < tables && in.ok(); ++t) {
        Recorded recorded;
        recorded.shape.name = in.text();
        const int keys = in.get<quint16>();
        for (int k = 0; k < keys; ++k)
            recorded.shape.keys << in.text();
        const int columns = in.get<quint16>();
        QStringList names;
        for (int c = 0; c < columns && in.ok(); ++c) {
            const auto type = FieldType::Type(in.get<quint8>());
            const int length = in.get<quint16>();
            const QString name = in.text();
            if (!FieldType::isValid(type) || name.isEmpty())
                throw damaged.arg(path, tr("описание таблицы '%1' не читается").arg(recorded.shape.name));
            recorded.shape.columns << ColumnDef(type, length, name);
            names << name;
        }
        for (const QString& key : qAsConst(recorded.shape.keys)) {
            if (!names.contains(key))
                throw damaged.arg(path, tr("описание таблицы '%1' не читается").arg(recorded.shape.name));
            recorded.keys << names.indexOf(key);
        }
        if (recorded.keys.isEmpty()) {
            for (int c = 0; c < columns; ++c)
                recorded.keys << c;
        }
        recorded.layout = RowLayout(recorded.shape.columns);
        for (int column : qAsConst(recorded.keys))
            recorded.keyBytes += recorded.layout.size(column) + 1;
        m_tables << recorded;
    }
    if (!in.ok() || !in.atEnd())
        throw damaged.arg(path, tr("заголовок не читается"));

    qint64 at = HeaderFixedBytes + headerBytes;
    while (at < m_size) {
        if (m_size - at < FrameHeaderBytes) {
            m_truncation = QString::number(at);
            break;
        }
        ByteReader head(m_data + at, FrameHeaderBytes);
        const Frame frame { qsizetype(at + FrameHeaderBytes), head.get<quint32>(), head.get<quint32>() };
        const quint64 sum = head.get<quint64>();
        if (checksum(m_data + at, FrameHeadSummed) != head.get<quint64>())
            throw damaged.arg(path, tr("заголовок блока на байте %1 не сходится с контрольной суммой").arg(at));
        // A whole head with a short body: the file was cut there.
        if (m_size - frame.offset < qint64(frame.length)) {
            m_truncation = QString::number(at);
            break;
        }
        if (checksum(m_data + frame.offset, frame.length) != sum)
            throw damaged.arg(path, tr("блок на байте %1 не сходится с контрольной суммой").arg(at));
        if (!checkFrame(frame))
            throw damaged.arg(path, tr("блок на байте %1 не читается").arg(at));
        m_frames << frame;
        at = frame.offset + frame.length;
    }
    if (!m_truncation.isEmpty())
        m_truncation = tr("Запись потока '%1' обрывается на байте %2 из %3 (%4 с от начала записи): "
                          "воспроизводится то, что до этого места")
                           .arg(path, QLocale().toString(m_truncation.toLongLong()), QLocale().toString(m_size),
                               QLocale().toString(m_lastMoment / 1e9, 'f', 3));
    m_at = m_frames.isEmpty() ? 0 : m_frames.first().offset;
}

bool StreamReplayer::checkFrame(const Frame& frame)
{
    ByteReader in(m_data + frame.offset, frame.length);
    for (quint32 i = 0; i < frame.transactions; ++i) {
        const TransactionHead h = readHead(in);
        if (!in.ok() || h.table >= m_tables.size())
            return false;
        if (h.kind == Clear) {
            m_lastMoment = h.moment;
            continue;
        }
        if (h.kind != Batch && h.kind != Snapshot)
            return false;
        const Recorded& t = m_tables.at(h.table);
        const int columns = t.layout.columnCount();
        if (h.first < -1 || h.first >= columns || h.last < h.first || h.last >= columns
            || (h.first < 0) != (h.last < 0))
            return false;
        if (!in.bytes(qsizetype(bodyBytes(t.layout, t.keyBytes, h))))
            return false;
        m_lastMoment = h.moment;
    }
    return in.atEnd();
}

QStringList StreamReplayer::tableNames() const
{
    QStringList names;
    for (const Recorded& t : m_tables)
        names << t.shape.name;
    return names;
}

void StreamReplayer::bind(TableRegistry* registry)
{
    for (Recorded& t : m_tables) {
        Table* table = registry->table(t.shape.name);
        if (!table)
            throw tr("В терминале нет таблицы '%1' из записи потока").arg(t.shape.name);
        const QString difference = t.shape.differenceFrom(table);
        if (!difference.isEmpty())
            throw tr("Таблица '%1' записи потока не совпадает с таблицей терминала: %2").arg(t.shape.name, difference);
        t.table = table;
    }
}

void StreamReplayer::loadSnapshot()
{
    applyTurn(LLONG_MAX, LLONG_MAX, true);
}

bool StreamReplayer::atEnd() const
{
    return m_frame >= m_frames.size();
}

qint64 StreamReplayer::nextMoment() const
{
    if (atEnd())
        return 0;
    ByteReader in(m_data + m_at, 11);
    in.get<quint8>();
    return in.get<qint64>();
}

void StreamReplayer::start()
{
    m_firstMoment = nextMoment();
    m_clock.start();
    m_timer.start(m_speed > 0 ? PacedIntervalMs : 0);
}

void StreamReplayer::stop()
{
    m_timer.stop();
}

int StreamReplayer::applyTurn(qint64 dueNsecs, qint64 maxChanges, bool snapshotOnly)
{
    Turn turn(this);
    qint64 changes = 0;
    while (!atEnd()) {
        const Frame& frame = m_frames.at(m_frame);
        if (m_inFrame == frame.transactions) {
            ++m_frame;
            m_inFrame = 0;
            if (!atEnd())
                m_at = m_frames.at(m_frame).offset;
            continue;
        }
        ByteReader in(m_data + m_at, frame.offset + frame.length - m_at);
        const TransactionHead h = readHead(in);
        if (snapshotOnly ? h.kind != Snapshot : h.moment > dueNsecs)
            break;
        if (changes > 0 && changes >= maxChanges)
            break;
        Recorded& recorded = m_tables[h.table];
        Table* table = recorded.table;
        if (!table) {
            in.bytes(qsizetype(bodyBytes(recorded.layout, recorded.keyBytes, h)));
            skip(h.kind == Clear ? 1 : qint64(h.removed) + h.updated + h.added,
                tr("таблицы '%1' в терминале больше нет").arg(recorded.shape.name));
        } else if (h.kind == Clear) {
            turn.commit(h.table);
            table->clear();
            recorded.handles.clear();
            ++changes;
        } else {
            Turn::Run& run = turn.run(h.table, table);
            const RowLayout& layout = recorded.layout;
            const int rowBytes = layout.rowBytes();
            const int bits = layout.valueBitOffset(0);
            for (quint32 i = 0; i < h.removed; ++i) {
                const QByteArray key = keyAt(in.bytes(recorded.keyBytes), recorded.keyBytes);
                const Record r = turn.find(recorded, run, key);
                if (r.isNull()) {
                    skip(1, missing(recorded.shape.name));
                    continue;
                }
                ++run.changes;
                RecordUpdater(r, *run.trans).remove();
                recorded.handles.remove(checksum(reinterpret_cast<const uchar*>(key.constData()), key.size()));
                if (r.inTable())
                    run.removed.insert(key);
                else
                    run.inserted.remove(key);
            }
            const int from = h.first < 0 ? 0 : layout.offset(h.first);
            const int size = changedBytes(layout, h.first, h.last);
            for (quint32 i = 0; i < h.updated; ++i) {
                const QByteArray key = keyAt(in.bytes(recorded.keyBytes), recorded.keyBytes);
                const uchar* values = in.bytes(size);
                const uchar* valueBits = in.bytes(rowBytes - bits);
                const Record r = turn.find(recorded, run, key);
                if (r.isNull()) {
                    skip(1, missing(recorded.shape.name));
                    continue;
                }
                ++run.changes;
                Record target = r.inTable() ? RecordUpdater(r, *run.trans).staged() : r;
                RecordBytes::write(target, from, values, size);
                RecordBytes::write(target, bits, valueBits, rowBytes - bits);
            }
            for (quint32 i = 0; i < h.added; ++i) {
                Record r(table);
                ++run.changes;
                RecordBytes::write(r, 0, in.bytes(rowBytes), rowBytes);
                RecordUpdater(r, *run.trans);
                QByteArray key;
                ByteWriter w(key);
                writeKey(w, table, recorded.keys, r.rawData());
                run.inserted.insert(key, r);
                run.removed.remove(key);
                recorded.handles.insert(checksum(reinterpret_cast<const uchar*>(key.constData()), key.size()), r);
            }
            changes += h.removed + h.updated + h.added;
        }
        m_at = in.position() - m_data;
        ++m_inFrame;
    }
    turn.commitAll();
    return int(qMin<qint64>(changes, INT_MAX));
}

void StreamReplayer::skip(qint64 changes, const QString& reason)
{
    if (changes <= 0)
        return;
    if (m_skipReason.isEmpty())
        m_skipReason = reason;
    m_skipped += changes;
}

void StreamReplayer::onTimeout()
{
    const qint64 skippedBefore = m_skipped;
    m_skipReason.clear();
    const qint64 due = m_speed > 0 ? m_firstMoment + qint64(double(m_clock.nsecsElapsed()) * m_speed) : LLONG_MAX;
    QElapsedTimer clock;
    clock.start();
    m_tablesMs = 0;
    const int changes = applyTurn(due, m_turnChanges, false);
    const double ms = clock.nsecsElapsed() / 1e6;
    m_readMs = ms - m_tablesMs;
    // Size the next turn by this one's cost when it was full or slow.
    if (changes > 0 && (changes >= m_turnChanges || ms > TurnMs) && ms > 0.1)
        m_turnChanges = qBound(MinTurnChanges, (m_turnChanges + qint64(changes * TurnMs / ms)) / 2, MaxTurnChanges);
    const bool ended = atEnd();
    if (ended)
        m_timer.stop();
    QPointer<StreamReplayer> alive(this);
    if (changes > 0) {
        ++m_batches;
        m_changes += changes;
        Q_EMIT batchApplied(changes, m_tablesMs);
    }
    if (alive && m_skipped > skippedBefore)
        Q_EMIT changesSkipped(m_skipped - skippedBefore, m_skipReason);
    if (ended && alive)
        Q_EMIT finished();
}
