#pragma once

#include "core/db/record.h"
#include "core/db/rowlayout.h"
#include "core/host/bv_host_export.h"
#include "core/host/stream/streamformat.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>

#include <functional>

class RecordsTrans;
class Table;
class TableRegistry;

// Plays a recorded stream (format in streamformat.h) into the tables of a registry: the rows the recording
// started with at once, then the transactions at the recorded pace, a multiple of it, or as fast as the tables and
// their windows take them. Each recorded transaction is applied as a transaction of its own, in the recorded
// order, so that the tables' indexes and models get the batches the recorded run got; a turn of the event loop
// applies the transactions that are due, as many as keep the turn short when the stream is ahead.
// A file is checked whole when opened: another format version or a damaged header or frame is refused; a file
// cut short, or without the end a recording stopped cleanly writes, plays up to its last whole frame and
// truncation() says where it ends.
class BV_HOST_EXPORT StreamReplayer : public QObject
{
    Q_OBJECT
public:
    explicit StreamReplayer(QObject* parent = nullptr);
    ~StreamReplayer() override;

    // Throws a QString for the user naming what is wrong with the file.
    void open(const QString& path);
    QString path() const { return m_file.fileName(); }
    QStringList tableNames() const;
    // Plays into the registry's tables of the recorded names; throws a QString when one is missing or its
    // columns or key differ from the recorded ones.
    void bind(TableRegistry* registry);
    // Applies the rows the recording started with.
    void loadSnapshot();

    // Times the recorded pace; 0 plays as fast as the tables take it.
    void setSpeed(double speed) { m_speed = speed; }
    // The clock the pace is read from, in nanoseconds; the monotonic clock when none is given.
    void setClock(std::function<qint64()> nsecs) { m_nsecs = std::move(nsecs); }
    // Nanoseconds from the first recorded transaction after the starting rows to the last one in the file.
    qint64 recordedSpan() const;
    double speed() const { return m_speed; }
    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    bool atEnd() const;

    // Empty for a whole file; else where the file ends, for the user.
    QString truncation() const { return m_truncation; }
    // Empty unless the recording stopped by itself (the disk fell behind); then when, for the user.
    QString earlyEnd() const { return m_earlyEnd; }
    qint64 changes() const { return m_changes; }
    qint64 batches() const { return m_batches; }
    // Recorded changes the tables did not take: every change of a transaction a table refused (a key taken twice),
    // each change naming a record no longer there, and those of a table gone meanwhile.
    qint64 skipped() const { return m_skipped; }
    // Milliseconds spent reading the last batch from the file, before the tables had it.
    double generationMs() const { return m_readMs; }

Q_SIGNALS:
    // A batch was applied: its record changes and the milliseconds the tables and their models took.
    void batchApplied(int changes, double milliseconds);
    // A turn's changes the tables did not take, and why the first of them was not taken, for the user.
    void changesSkipped(qint64 changes, const QString& reason);
    void finished();
    // start() set the recording going (again after a stop()).
    void started();

private:
    struct Frame
    {
        qsizetype offset; // of the first transaction
        quint32 length;
        quint32 transactions;
    };
    struct Recorded
    {
        StreamFormat::TableShape shape;
        RowLayout layout;
        QList<int> keys;
        int keyBytes = 0;
        QPointer<Table> table;
        // Records already found or put in, by their key's checksum: a lookup in the master index costs a binary
        // search of cold rows. A handle is checked against the key before it is used.
        QHash<quint64, Record> handles;
        QByteArray row; // a row to look a key up with
    };

    void onTimeout();
    // Applies transactions from the cursor while they are due and the turn has room; returns the changes, -1
    // when the replayer went meanwhile.
    int applyTurn(qint64 dueNsecs, qint64 maxChanges, bool snapshotOnly);
    // Applies one recorded batch, whose body starts at `body`, as one transaction.
    void applyBatch(Recorded& recorded, Table* table, const uchar* body, quint32 removed, quint32 updated,
        quint32 added, int first, int last);
    // Applies a recorded single update that changed the record's key, as one transaction.
    void applyRekeyed(Recorded& recorded, Table* table, const uchar* body, int first, int last);
    // Commits, or counts the staged changes as skipped when the table refuses them; false when the replayer went
    // meanwhile.
    bool commit(RecordsTrans& trans, Table* table, qint64 staged);
    // The table's record with the recorded key, or its row in the master index (-1: none); `keySource` is a
    // detached record of the table.
    Record find(Recorded& recorded, Record& keySource, const uchar* key);
    int rowOf(Recorded& recorded, Record& keySource, const uchar* key);
    // Checks a frame's transactions; false when one does not read.
    bool checkFrame(const Frame& frame);
    bool isEnd(const Frame& frame) const;
    qint64 nextMoment() const;
    qint64 elapsedNsecs() const;
    void skip(qint64 changes, const QString& reason);
    const uchar* data() const { return m_data; }

    QFile m_file;
    QByteArray m_contents; // when the file cannot be mapped
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
    QVector<Recorded> m_tables;
    QVector<Frame> m_frames;
    QString m_truncation;
    QString m_earlyEnd;
    int m_frame = 0;
    quint32 m_inFrame = 0; // transactions of the current frame already applied
    qsizetype m_at = 0; // where the next transaction starts
    double m_speed = 1;
    qint64 m_firstMoment = -1;
    qint64 m_lastMoment = 0; // of the last whole transaction in the file
    qint64 m_firstLive = -1; // of the first transaction after the starting rows
    qint64 m_turnChanges = 5000;
    QElapsedTimer m_clock;
    std::function<qint64()> m_nsecs;
    qint64 m_startedAt = 0;
    QTimer m_timer;
    qint64 m_changes = 0;
    qint64 m_batches = 0;
    qint64 m_skipped = 0;
    QString m_skipReason; // of the turn's first skipped change
    double m_readMs = 0;
    double m_tablesMs = 0;
};
