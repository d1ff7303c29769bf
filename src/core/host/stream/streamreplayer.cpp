#include "core/host/stream/streamreplayer.h"

#include "core/db/guilog.h"
#include "core/db/index.h"
#include "core/db/masterindex.h"
#include "core/db/recordbytes.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/tableregistry.h"

#include <QHash>
#include <QLocale>

#include <climits>

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
    if (h.kind == Batch || h.kind == Snapshot || h.kind == Rekeyed) {
        h.removed = in.get<quint32>();
        h.updated = in.get<quint32>();
        h.added = in.get<quint32>();
        h.first = in.get<qint16>();
        h.last = in.get<qint16>();
    }
    return h;
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
    // The neighbours' flags and keys, of which the second stands where an update's key does.
    if (h.kind == Rekeyed)
        return 1 + keyBytes + update;
    return qint64(h.removed) * keyBytes + qint64(h.updated) * update + qint64(h.added) * layout.rowBytes();
}

QString missing(const QString& table)
{
    return StreamReplayer::tr("в таблице '%1' нет записи, которую меняет запись потока").arg(table);
}

} // namespace

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
    if (version < OldestReadVersion || version > Version)
        throw tr("Запись потока '%1' сделана в формате версии %2, а терминал читает версии с %3 по %4")
            .arg(path)
            .arg(version)
            .arg(OldestReadVersion)
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
        recorded.row = QByteArray(recorded.layout.rowBytes(), '\0');
        for (int column : qAsConst(recorded.keys))
            recorded.keyBytes += recorded.layout.size(column) + 1;
        m_tables << recorded;
    }
    if (!in.ok() || !in.atEnd())
        throw damaged.arg(path, tr("заголовок не читается"));

    qint64 at = HeaderFixedBytes + headerBytes;
    bool ended = false;
    while (at < m_size) {
        if (m_size - at < FrameHeaderBytes) {
            m_truncation = QString::number(at);
            break;
        }
        ByteReader head(m_data + at, FrameHeaderBytes);
        const Frame frame { qsizetype(at + FrameHeaderBytes), head.get<quint32>(), head.get<quint32>() };
        const quint64 sum = head.get<quint64>();
        if (checksum(m_data + at, FrameHeadSummed) != head.get<quint64>())
            throw damaged.arg(
                path, tr("заголовок блока на байте %1 не сходится с контрольной суммой").arg(QLocale().toString(at)));
        // A whole head with a short body: the file was cut there.
        if (m_size - frame.offset < qint64(frame.length)) {
            m_truncation = QString::number(at);
            break;
        }
        if (checksum(m_data + frame.offset, frame.length) != sum)
            throw damaged.arg(
                path, tr("блок на байте %1 не сходится с контрольной суммой").arg(QLocale().toString(at)));
        if (isEnd(frame)) {
            ended = true;
            quint16 reason = Stopped;
            std::memcpy(&reason, m_data + frame.offset + 1 + 8, 2);
            if (reason == StoppedItself)
                m_earlyEnd = tr("Запись потока '%1' остановилась сама через %2 с от начала: диск не успевал за "
                                "потоком; воспроизводится то, что записано до этого места")
                                 .arg(path, QLocale().toString(m_lastMoment / 1e9, 'f', 3));
            if (frame.offset + frame.length != m_size)
                throw damaged.arg(path,
                    tr("блок на байте %1 не читается").arg(QLocale().toString(qint64(frame.offset + frame.length))));
            break;
        }
        if (!checkFrame(frame))
            throw damaged.arg(path, tr("блок на байте %1 не читается").arg(QLocale().toString(at)));
        m_frames << frame;
        at = frame.offset + frame.length;
    }
    // Whole frames without the end: the recorder was killed, or the machine went down, between two frames.
    if (!ended && m_truncation.isEmpty())
        m_truncation = QString::number(m_size);
    if (!m_truncation.isEmpty())
        m_truncation = tr("Запись потока '%1' обрывается на байте %2 из %3 (%4 с от начала записи): "
                          "воспроизводится то, что до этого места")
                           .arg(path, QLocale().toString(m_truncation.toLongLong()), QLocale().toString(m_size),
                               QLocale().toString(m_lastMoment / 1e9, 'f', 3));
    m_at = m_frames.isEmpty() ? 0 : m_frames.first().offset;
}

bool StreamReplayer::isEnd(const Frame& frame) const
{
    return frame.transactions == 1 && frame.length == EndBytes && m_data[frame.offset] == End;
}

bool StreamReplayer::checkFrame(const Frame& frame)
{
    ByteReader in(m_data + frame.offset, frame.length);
    for (quint32 i = 0; i < frame.transactions; ++i) {
        const TransactionHead h = readHead(in);
        if (!in.ok() || h.table >= m_tables.size())
            return false;
        if (h.kind != Snapshot && m_firstLive < 0)
            m_firstLive = h.moment;
        if (h.kind == Clear) {
            m_lastMoment = h.moment;
            continue;
        }
        if (h.kind != Batch && h.kind != Snapshot && h.kind != Rekeyed)
            return false;
        const Recorded& t = m_tables.at(h.table);
        const int columns = t.layout.columnCount();
        if (h.first < -1 || h.first >= columns || h.last < h.first || h.last >= columns
            || (h.first < 0) != (h.last < 0))
            return false;
        if (h.kind == Rekeyed && (h.removed != 0 || h.updated != 1 || h.added != 0))
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
    m_startedAt = m_nsecs ? m_nsecs() : 0;
    m_timer.start(m_speed > 0 ? PacedIntervalMs : 0);
    Q_EMIT started();
}

qint64 StreamReplayer::elapsedNsecs() const
{
    return m_nsecs ? m_nsecs() - m_startedAt : m_clock.nsecsElapsed();
}

qint64 StreamReplayer::recordedSpan() const
{
    return m_firstLive < 0 ? 0 : m_lastMoment - m_firstLive;
}

void StreamReplayer::stop()
{
    m_timer.stop();
}

int StreamReplayer::applyTurn(qint64 dueNsecs, qint64 maxChanges, bool snapshotOnly)
{
    const QPointer<StreamReplayer> alive(this);
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
        // Past this transaction before it is applied: its windows may stop the replay or start another turn.
        Recorded& recorded = m_tables[h.table];
        const uchar* body = in.position();
        m_at = body - m_data + qsizetype(bodyBytes(recorded.layout, recorded.keyBytes, h));
        ++m_inFrame;
        Table* table = recorded.table;
        if (!table) {
            skip(h.kind == Clear ? 1 : qint64(h.removed) + h.updated + h.added,
                tr("таблицы '%1' в терминале больше нет").arg(recorded.shape.name));
            continue;
        }
        if (h.kind == Clear) {
            recorded.handles.clear();
            QElapsedTimer clock;
            clock.start();
            table->clear();
            if (!alive)
                return -1;
            m_tablesMs += clock.nsecsElapsed() / 1e6;
            ++changes;
        } else if (h.kind == Rekeyed) {
            applyRekeyed(recorded, table, body, h.first, h.last);
            ++changes;
        } else {
            applyBatch(recorded, table, body, h.removed, h.updated, h.added, h.first, h.last);
            changes += qint64(h.removed) + h.updated + h.added;
        }
        if (!alive)
            return -1;
    }
    return int(qMin<qint64>(changes, INT_MAX));
}

void StreamReplayer::applyBatch(Recorded& recorded, Table* table, const uchar* body, quint32 removed, quint32 updated,
    quint32 added, int first, int last)
{
    const RowLayout& layout = recorded.layout;
    const int rowBytes = layout.rowBytes();
    const int bits = layout.valueBitOffset(0);
    const int keyBytes = recorded.keyBytes;
    RecordsTrans trans(table);
    Record keySource(table);
    qint64 staged = 0;
    for (quint32 i = 0; i < removed; ++i, body += keyBytes) {
        const Record r = find(recorded, keySource, body);
        if (r.isNull()) {
            skip(1, missing(recorded.shape.name));
            continue;
        }
        ++staged;
        RecordUpdater(r, trans).remove();
        recorded.handles.remove(checksum(body, keyBytes));
    }
    const int from = first < 0 ? 0 : layout.offset(first);
    const int size = changedBytes(layout, first, last);
    const bool keyChanges = Index::touches(recorded.keys, first, last);
    QByteArray newKey;
    for (quint32 i = 0; i < updated; ++i) {
        const uchar* key = body;
        const uchar* values = key + keyBytes;
        const uchar* valueBits = values + size;
        body = valueBits + (rowBytes - bits);
        const Record r = find(recorded, keySource, key);
        if (r.isNull()) {
            skip(1, missing(recorded.shape.name));
            continue;
        }
        ++staged;
        const Record target = RecordUpdater(r, trans).staged();
        RecordBytes::write(target, from, values, size);
        RecordBytes::write(target, bits, valueBits, rowBytes - bits);
        // The record is found by its new key from now on.
        if (keyChanges && !holdsKey(layout, recorded.keys, target.rawData(), key)) {
            newKey.clear();
            ByteWriter w(newKey);
            writeKey(w, table, recorded.keys, target.rawData());
            recorded.handles.remove(checksum(key, keyBytes));
            recorded.handles.insert(checksum(reinterpret_cast<const uchar*>(newKey.constData()), keyBytes), r);
        }
    }
    for (quint32 i = 0; i < added; ++i, body += rowBytes) {
        Record r(table);
        ++staged;
        RecordBytes::write(r, 0, body, rowBytes);
        RecordUpdater(r, trans);
        newKey.clear();
        ByteWriter w(newKey);
        writeKey(w, table, recorded.keys, r.rawData());
        recorded.handles.insert(checksum(reinterpret_cast<const uchar*>(newKey.constData()), keyBytes), r);
    }
    commit(trans, table, staged);
}

void StreamReplayer::applyRekeyed(Recorded& recorded, Table* table, const uchar* body, int first, int last)
{
    const quint8 sides = *body++;
    const uchar* previousKey = body;
    const uchar* nextKey = body + recorded.keyBytes;
    const uchar* values = nextKey + recorded.keyBytes;
    // The record is the one between its neighbours; when they are no longer next to one record, the tables
    // went apart from the recorded ones and it is not guessed.
    Record keySource(table);
    const MasterIndex* master = table->masterIndex();
    const int previous = (sides & 1) ? rowOf(recorded, keySource, previousKey) : -1;
    const int next = (sides & 2) ? rowOf(recorded, keySource, nextKey) : master->count();
    const Record r = ((sides & 1) && previous < 0) || next != previous + 2 ? Record() : master->at(previous + 1);
    if (r.isNull()) {
        skip(1, missing(recorded.shape.name));
        return;
    }
    QByteArray oldKey;
    ByteWriter w(oldKey);
    writeKey(w, table, recorded.keys, r.rawData());
    RecordsTrans trans(table);
    const Record target = RecordUpdater(r, trans).staged();
    const RowLayout& layout = recorded.layout;
    const int bits = layout.valueBitOffset(0);
    const int size = changedBytes(layout, first, last);
    RecordBytes::write(target, first < 0 ? 0 : layout.offset(first), values, size);
    RecordBytes::write(target, bits, values + size, layout.rowBytes() - bits);
    QByteArray newKey;
    ByteWriter nw(newKey);
    writeKey(nw, table, recorded.keys, target.rawData());
    if (!commit(trans, table, 1))
        return;
    recorded.handles.remove(checksum(reinterpret_cast<const uchar*>(oldKey.constData()), recorded.keyBytes));
    if (r.inTable())
        recorded.handles.insert(checksum(reinterpret_cast<const uchar*>(newKey.constData()), recorded.keyBytes), r);
}

bool StreamReplayer::commit(RecordsTrans& trans, Table* table, qint64 staged)
{
    // The tables' indexes and windows run on the commit and may delete the table or this replayer.
    const QPointer<StreamReplayer> alive(this);
    const QString name = table->name();
    QElapsedTimer clock;
    clock.start();
    try {
        trans.commit();
    } catch (const QString& message) {
        qCWarning(QGuiLog).noquote() << "replayed transaction refused:" << message;
        if (!alive)
            return false;
        trans.clear();
        skip(staged, tr("таблица '%1' отказалась от изменений: %2").arg(name, message));
    }
    if (!alive)
        return false;
    m_tablesMs += clock.nsecsElapsed() / 1e6;
    return true;
}

int StreamReplayer::rowOf(Recorded& recorded, Record& keySource, const uchar* key)
{
    uchar* row = reinterpret_cast<uchar*>(recorded.row.data());
    readKey(recorded.layout, recorded.keys, key, row);
    RecordBytes::write(keySource, 0, row, recorded.layout.rowBytes());
    return keySource.table()->masterIndex()->find(keySource);
}

Record StreamReplayer::find(Recorded& recorded, Record& keySource, const uchar* key)
{
    const quint64 sum = checksum(key, recorded.keyBytes);
    const auto known = recorded.handles.constFind(sum);
    if (known != recorded.handles.constEnd() && known->inTable() && known->table() == keySource.table()
        && holdsKey(recorded.layout, recorded.keys, known->rawData(), key))
        return *known;
    const int row = rowOf(recorded, keySource, key);
    const Record found = row < 0 ? Record() : keySource.table()->masterIndex()->at(row);
    if (!found.isNull())
        recorded.handles.insert(sum, found);
    return found;
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
    const double paced = double(m_firstMoment) + double(elapsedNsecs()) * m_speed;
    const qint64 due = m_speed > 0 && paced < double(LLONG_MAX / 2) ? qint64(paced) : LLONG_MAX;
    QElapsedTimer clock;
    clock.start();
    m_tablesMs = 0;
    const int changes = applyTurn(due, m_turnChanges, false);
    if (changes < 0)
        return;
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
