#include "core/host/stream/streamrecorder.h"

#include "core/db/guilog.h"
#include "core/db/index.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/stream/streamformat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

using namespace StreamFormat;

namespace {

// A frame handed off once it is this big, even within one turn of the event loop.
constexpr int FrameBytes = 1024 * 1024;
// Rows of a table per frame of the starting snapshot.
constexpr int SnapshotRows = 4096;

// A frame's length and transaction count, filled in on the GUI thread when the frame is handed off.
void headFrame(QByteArray& frame, quint32 transactions)
{
    const quint32 length = quint32(frame.size() - FrameHeaderBytes);
    std::memcpy(frame.data(), &length, 4);
    std::memcpy(frame.data() + 4, &transactions, 4);
}

// The frame's checksums, the costly part: the writer thread's.
void sumFrame(QByteArray& frame)
{
    const auto* bytes = reinterpret_cast<const uchar*>(frame.constData());
    const quint64 sum = checksum(bytes + FrameHeaderBytes, frame.size() - FrameHeaderBytes);
    std::memcpy(frame.data() + 8, &sum, 8);
    const quint64 headSum = checksum(bytes, FrameHeadSummed);
    std::memcpy(frame.data() + FrameHeadSummed, &headSum, 8);
}

// The frame a recording ends the file with, and why it ended.
QByteArray endFrame(qint64 nsecs, EndReason reason)
{
    QByteArray frame(FrameHeaderBytes, '\0');
    ByteWriter w(frame);
    w.put<quint8>(End);
    w.put<qint64>(nsecs);
    w.put<quint16>(reason);
    headFrame(frame, 1);
    return frame;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

// Puts frames on disk on its own thread, each flushed as it is written: a crash of the terminal loses only what
// had not reached the writer. Only the queue and the failure are shared, under the mutex; the file is the
// thread's once it runs. A failure is kept as a code, which the GUI thread reads and words: the writer never
// posts to Qt objects, so every hand-over goes through this mutex.
class StreamWriter
{
public:
    enum Failure { None, Backlog, Write };

    StreamWriter(std::FILE* file, qint64 maxQueued)
        : m_file(file)
        , m_maxQueued(maxQueued)
    { }
    ~StreamWriter() { close(); }

    // A frame of the recording's start, queued before the thread runs: the tables' rows, however many, go
    // outside the queue's bound (which is for a disk falling behind the stream).
    void queueStart(QByteArray frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_startFrames;
        m_queue.push_back(std::move(frame));
    }
    void start()
    {
        m_thread = std::thread([this] { run(); });
    }
    // False when frames wait and this one would take the queue past its bound, or an earlier write failed
    // (failure() says which). A frame larger than the bound goes when nothing waits: only a backlog stops.
    bool push(QByteArray frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_failure != None || m_closing)
            return false;
        if (m_queue.size() > m_startFrames && m_queued + frame.size() > m_maxQueued) {
            m_failure = Backlog;
            return false;
        }
        m_queued += frame.size();
        m_queue.push_back(std::move(frame));
        m_wake.notify_one();
        return true;
    }
    // The recording's last frame: taken after a backlog too, so that a recording that stopped by itself ends
    // where it stopped; refused after a failed write. The thread closes the file once it is written, without
    // waiting for close(): a recording that stopped by itself is whole on disk while the terminal goes on.
    bool pushLast(QByteArray frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_failure == Write || m_closing)
            return false;
        m_closing = true;
        m_queued += frame.size();
        m_queue.push_back(std::move(frame));
        m_wake.notify_one();
        return true;
    }
    // The first failure, and the system's error number of a failed write.
    Failure failure(int* error = nullptr) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (error)
            *error = m_errno;
        return m_failure;
    }
    qint64 maxQueued() const { return m_maxQueued; }
    // Writes what is queued (unless a write failed), then closes the file; a failed close counts as a failed
    // write.
    void close()
    {
        if (m_thread.joinable()) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_closing = true;
            }
            m_wake.notify_one();
            m_thread.join();
        }
        closeFile();
    }

private:
    void run()
    {
        // What the recorder wrote before the thread ran is still in the file's buffer.
        if (std::fflush(m_file) != 0) {
            failWrite(errno);
            closeFile();
            return;
        }
        for (;;) {
            QByteArray frame;
            bool bounded = true;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
                if (m_queue.empty())
                    break;
                frame = std::move(m_queue.front());
                m_queue.pop_front();
                if (m_startFrames > 0) {
                    --m_startFrames;
                    bounded = false;
                }
            }
            sumFrame(frame);
            const bool written
                = std::fwrite(frame.constData(), 1, std::size_t(frame.size()), m_file) == std::size_t(frame.size())
                && std::fflush(m_file) == 0;
            const int error = errno;
            if (bounded) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_queued -= frame.size();
            }
            if (!written) {
                failWrite(error);
                break;
            }
        }
        closeFile();
    }
    // A failed close counts as a failed write.
    void closeFile()
    {
        if (!m_file)
            return;
        const int closed = std::fclose(m_file);
        const int error = errno;
        m_file = nullptr;
        if (closed != 0)
            failWrite(error);
    }
    // The first failure is the one told.
    void failWrite(int error)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_failure != None)
            return;
        m_failure = Write;
        m_errno = error;
        m_queue.clear();
        m_queued = 0;
        m_startFrames = 0;
    }

    std::FILE* m_file; // owned; the thread's while it runs
    const qint64 m_maxQueued;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QByteArray> m_queue;
    qint64 m_queued = 0; // bytes of the frames after the start
    std::size_t m_startFrames = 0; // of the start, still queued: they come first
    bool m_closing = false;
    Failure m_failure = None;
    int m_errno = 0;
};

// Listens to one table as its last index and writes what it hears into the recorder's frame. A batch is taken
// in preprocess(), while the updated rows still hold their old keys and the new values wait beside them.
class StreamTap : public Index
{
public:
    StreamTap(StreamRecorder* recorder, Table* table, int id)
        : m_recorder(recorder)
        , m_table(table)
        , m_id(quint16(id))
        , m_keys(keyColumns(table))
    {
        table->addIndex(this);
    }
    ~StreamTap() override
    {
        if (m_table)
            m_table->removeIndex(this);
    }

    void clear() override
    {
        begin(Clear);
        m_recorder->transactionAdded();
    }
    void build() override { }
    bool filter(const Record&) const override { return true; }
    bool contains(const Record&) const override { return false; }
    void add(const Record& record) override
    {
        QByteArray& out = begin(Batch);
        counts(out, 0, 0, 1, -1, -1);
        ByteWriter(out).bytes(record.rawData(), m_table->layout().rowBytes());
        m_recorder->transactionAdded();
    }
    void remove(const Record& record, int) override
    {
        QByteArray& out = begin(Batch);
        counts(out, 1, 0, 0, -1, -1);
        ByteWriter w(out);
        writeKey(w, m_table, m_keys, record.rawData());
        m_recorder->transactionAdded();
    }
    // A single update arrives with the values already changed: the record is found again by its key as it is now,
    // or, when the change took its old key, by its neighbours in key order as the master index saw them before.
    void update(const Record& record, int firstColumn, int lastColumn, int) override
    {
        const MasterIndex* master = m_table->masterIndex();
        const bool rekeyed = master->touchesKey(firstColumn, lastColumn) && master->rekeyedFound();
        QByteArray& out = begin(rekeyed ? Rekeyed : Batch);
        if (firstColumn < 0 || lastColumn < 0)
            firstColumn = lastColumn = -1;
        counts(out, 0, 1, 0, firstColumn, lastColumn);
        ByteWriter w(out);
        if (rekeyed) {
            const Record& previous = master->rekeyedPrevious();
            const Record& next = master->rekeyedNext();
            w.put<quint8>(quint8((previous.isNull() ? 0 : 1) | (next.isNull() ? 0 : 2)));
            neighbourKey(w, previous);
            neighbourKey(w, next);
        } else {
            writeKey(w, m_table, m_keys, record.rawData());
        }
        changedBytes(w, record.rawData(), firstColumn, lastColumn);
        m_recorder->transactionAdded();
    }
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override
    {
        QByteArray& out = begin(Batch);
        if (firstColumn < 0 || lastColumn < 0)
            firstColumn = lastColumn = -1;
        counts(out, removed.size(), updated.size(), added.size(), firstColumn, lastColumn);
        const int rowBytes = m_table->layout().rowBytes();
        out.reserve(out.size() + removed.size() * 16 + updated.size() * 64 + added.size() * rowBytes);
        ByteWriter w(out);
        for (const Record& r : removed)
            writeKey(w, m_table, m_keys, r.rawData());
        for (int i = 0; i < updated.size(); ++i) {
            writeKey(w, m_table, m_keys, updated.at(i).rawData());
            changedBytes(w, updatedNew.at(i).rawData(), firstColumn, lastColumn);
        }
        for (const Record& r : added)
            w.bytes(r.rawData(), rowBytes);
        m_recorder->transactionAdded();
    }
    void process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>&) override { }
    void sourceDestroyed() override { m_table = nullptr; }

    // The table's rows as they are, in frames of their own for the writer. Copied here, as the table is changed
    // on this thread only; summed and written on the writer's.
    void snapshot(StreamWriter& writer, qint64 nsecs)
    {
        const MasterIndex* master = m_table->masterIndex();
        const int rowBytes = m_table->layout().rowBytes();
        for (int from = 0; from < master->count(); from += SnapshotRows) {
            const int rows = qMin(SnapshotRows, master->count() - from);
            QByteArray frame(FrameHeaderBytes, '\0');
            ByteWriter w(frame);
            w.put<quint8>(Snapshot);
            w.put<qint64>(nsecs);
            w.put<quint16>(m_id);
            counts(frame, 0, 0, rows, -1, -1);
            for (int i = from; i < from + rows; ++i)
                w.bytes(master->at(i).rawData(), rowBytes);
            headFrame(frame, 1);
            writer.queueStart(std::move(frame));
        }
    }
    Table* table() const { return m_table; }

private:
    QByteArray& begin(Kind kind)
    {
        QByteArray& out = m_recorder->frame();
        ByteWriter w(out);
        w.put<quint8>(kind);
        w.put<qint64>(m_recorder->nsecs());
        w.put<quint16>(m_id);
        return out;
    }
    void counts(QByteArray& out, int removed, int updated, int added, int first, int last) const
    {
        ByteWriter w(out);
        w.put<quint32>(quint32(removed));
        w.put<quint32>(quint32(updated));
        w.put<quint32>(quint32(added));
        w.put<qint16>(qint16(first));
        w.put<qint16>(qint16(last));
    }
    void neighbourKey(ByteWriter& w, const Record& neighbour) const
    {
        if (neighbour.isNull()) {
            const QByteArray none(keyBytes(m_table, m_keys), '\0');
            w.bytes(reinterpret_cast<const uchar*>(none.constData()), none.size());
        } else {
            writeKey(w, m_table, m_keys, neighbour.rawData());
        }
    }
    // The changed columns' bytes (every field when first is -1), then the has-value bits.
    void changedBytes(ByteWriter& w, const uchar* raw, int first, int last) const
    {
        const RowLayout& layout = m_table->layout();
        const int bits = layout.valueBitOffset(0);
        const int from = first < 0 ? 0 : layout.offset(first);
        const int to = first < 0 ? bits : layout.offset(last) + layout.size(last);
        w.bytes(raw + from, to - from);
        w.bytes(raw + bits, layout.rowBytes() - bits);
    }

    StreamRecorder* m_recorder; // not owned
    QPointer<Table> m_table;
    quint16 m_id;
    QList<int> m_keys;
};

StreamRecorder::StreamRecorder(const QList<Table*>& tables, const QString& path, qint64 maxQueuedBytes, QObject* parent)
    : QObject(parent)
    , m_path(path)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        throw tr("Не удалось открыть '%1' для записи потока: %2").arg(path, systemError(errno));
    m_writer = std::make_unique<StreamWriter>(file, maxQueuedBytes);
    QList<TableShape> shapes;
    for (Table* table : tables)
        shapes << TableShape::of(table);
    const QByteArray head = header(shapes, QDateTime::currentMSecsSinceEpoch());
    if (std::fwrite(head.constData(), 1, std::size_t(head.size()), file) != std::size_t(head.size()))
        throw tr("Не удалось записать поток в '%1': %2").arg(path, systemError(errno));
    m_clock.start();
    for (int i = 0; i < tables.size(); ++i) {
        m_taps.push_back(std::make_unique<StreamTap>(this, tables.at(i), i));
        m_taps.back()->snapshot(*m_writer, 0);
    }
    m_writer->start();
    m_handOff.setSingleShot(true);
    m_handOff.setInterval(0);
    connect(&m_handOff, &QTimer::timeout, this, &StreamRecorder::handOff);
    // A write that fails while no change comes is still told soon.
    m_writerWatch.setInterval(250);
    connect(&m_writerWatch, &QTimer::timeout, this, &StreamRecorder::checkWriter);
    m_writerWatch.start();
}

StreamRecorder::~StreamRecorder()
{
    stop();
}

void StreamRecorder::stop()
{
    if (!m_writer)
        return;
    handOff();
    m_taps.clear();
    m_handOff.stop();
    m_writerWatch.stop();
    end(Stopped);
    m_writer->close();
    // What failed just now (the last frame refused, the final flush or the close) is told before stop() returns:
    // as the terminal closes no turn of the event loop follows, and a failure told earlier may still wait for one.
    const QString reason = m_reason.isEmpty() ? failureText() : m_reason;
    m_writer.reset();
    if (!reason.isEmpty()) {
        m_failed = true;
        tell(reason);
    }
}

void StreamRecorder::end(EndReason reason)
{
    if (m_ended || !m_writer)
        return;
    m_ended = true;
    m_writer->pushLast(endFrame(nsecs(), reason));
}

void StreamRecorder::tell(const QString& reason)
{
    if (m_told)
        return;
    m_told = true;
    qCWarning(QGuiLog).noquote() << "stream recording stopped:" << reason;
    Q_EMIT stopped(tr("Запись потока в '%1' остановлена: %2").arg(m_path, reason));
}

QString StreamRecorder::failureText() const
{
    int error = 0;
    switch (m_writer ? m_writer->failure(&error) : StreamWriter::None) {
    case StreamWriter::Backlog:
        return tr("диск не успевает за потоком (в очереди больше %1 МБ)")
            .arg(QLocale().toString(m_writer->maxQueued() / (1024 * 1024)));
    case StreamWriter::Write:
        return tr("запись на диск не удалась: %1").arg(systemError(error));
    case StreamWriter::None:
        break;
    }
    return QString();
}

void StreamRecorder::checkWriter()
{
    if (m_writer && !m_failed && m_writer->failure() != StreamWriter::None)
        fail(failureText());
}

QByteArray& StreamRecorder::frame()
{
    if (m_frame.isEmpty())
        m_frame = QByteArray(FrameHeaderBytes, '\0');
    return m_frame;
}

void StreamRecorder::transactionAdded()
{
    ++m_transactions;
    ++m_frameTransactions;
    if (m_frame.size() >= FrameBytes)
        handOff();
    else if (!m_handOff.isActive())
        m_handOff.start();
}

void StreamRecorder::handOff()
{
    if (!m_writer || m_failed || m_frameTransactions == 0) {
        m_frame.clear();
        m_frameTransactions = 0;
        return;
    }
    headFrame(m_frame, m_frameTransactions);
    m_frameTransactions = 0;
    if (!m_writer->push(std::exchange(m_frame, QByteArray())))
        fail(failureText());
}

void StreamRecorder::fail(const QString& reason)
{
    // Whatever reached the queue is written; the file ends on its last whole frame. The taps go after the
    // table's delivery that may have called here, from the event loop.
    m_failed = true;
    if (m_reason.isEmpty())
        m_reason = reason;
    m_frame.clear();
    m_frameTransactions = 0;
    m_handOff.stop();
    m_writerWatch.stop();
    // After a backlog the file ends here as a recording that stopped by itself, not as one cut short by a crash;
    // after a failed write nothing more is taken.
    end(StoppedItself);
    QTimer::singleShot(0, this, [this] {
        m_taps.clear();
        tell(m_reason);
    });
}
