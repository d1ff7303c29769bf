#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/stream/streamformat.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class Table;
class StreamWriter;
class StreamTap;

// Records every transaction the tables receive to a file (format in streamformat.h): the header and the tables'
// rows when it starts, then each batch, single change and clear with its moment. The GUI thread only copies the
// changed rows' bytes into a frame, the tables' rows at the start included; a writer thread puts the frames on disk
// through a queue of bounded size.
// When the disk cannot keep up (frames wait and the queue is full) or refuses a write, the final flush or the
// close included, the recording stops by itself, says why through stopped() with the system's reason, and the
// file stays a valid recording of what came before; the tables never wait. After a backlog the file gets its end
// at once, marked as a recording that stopped by itself, and is closed once the queue is written.
class BV_HOST_EXPORT StreamRecorder : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 DefaultQueueBytes = 64 * 1024 * 1024;

    // Starts at once: writes the header, hands the tables' rows (copied) to the writer and listens. Throws a
    // QString when the file cannot be opened or its header written; a failure to write the rows is told as any
    // later one.
    StreamRecorder(const QList<Table*>& tables, const QString& path, qint64 maxQueuedBytes = DefaultQueueBytes,
        QObject* parent = nullptr);
    // Writes what is queued and closes the file; a failure is told through stopped() as by stop().
    ~StreamRecorder() override;

    QString path() const { return m_path; }
    bool isRecording() const { return !m_taps.empty() && !m_failed; }
    // Stops listening, writes what is queued and the end of the recording and closes the file; emits stopped()
    // before it returns when that fails, or when a failure was found and not yet told.
    void stop();
    qint64 transactions() const { return m_transactions; }

Q_SIGNALS:
    // The recording stopped by itself; `reason` is for the user.
    void stopped(const QString& reason);

private:
    friend class StreamTap;
    Q_DISABLE_COPY(StreamRecorder)

    // The frame being filled, to which a transaction is about to be added.
    QByteArray& frame();
    void transactionAdded();
    void handOff();
    void fail(const QString& reason);
    // Hands the writer the recording's last frame, once; the writer closes the file after it.
    void end(StreamFormat::EndReason reason);
    // Emits stopped() once.
    void tell(const QString& reason);
    // The writer's failure worded for the user; empty when there is none.
    QString failureText() const;
    // Fails the recording when the writer's thread has found a failure.
    void checkWriter();
    qint64 nsecs() const { return m_clock.nsecsElapsed(); }

    QString m_path;
    std::vector<std::unique_ptr<StreamTap>> m_taps;
    std::unique_ptr<StreamWriter> m_writer;
    QElapsedTimer m_clock;
    QByteArray m_frame;
    quint32 m_frameTransactions = 0;
    qint64 m_transactions = 0;
    bool m_failed = false;
    bool m_told = false;
    bool m_ended = false;
    QString m_reason; // of the first failure
    QTimer m_handOff; // at the end of the event loop's turn: one frame for the turn's transactions
    QTimer m_writerWatch; // looks for the writer's failure while the recording runs
};
