#pragma once

#include "core/db/columndef.h"
#include "core/db/record.h"
#include "core/db/rowlayout.h"

#include <QHash>
#include <QObject>
#include <QVector>

#include <shared_mutex>

class Index;
class IndexBuildQueue;
class MasterIndex;

// A live in-memory table: fixed columns, rows in one block each, a unique primary key kept by the master index,
// and the indexes (models) that are told of every change, the master index first, then the others in the order
// they registered. Only the thread that owns the table changes it; other threads read under a TableLocker.
class BV_DB_EXPORT Table : public QObject
{
    Q_OBJECT
public:
    Table(const QString& name, const QList<ColumnDef>& columns, const QStringList& keyColumnNames,
        QObject* parent = nullptr);
    ~Table() override;

    QString name() const { return m_name; }
    int columnCount() const { return m_columns.size(); }
    // -1 for an unknown name.
    int columnIndex(const QString& name) const { return m_columnIndex.value(name, -1); }
    QString columnName(int column) const;
    QString columnTitle(int column) const;
    QString columnDescription(int column) const;
    FieldType::Type columnType(int column) const;
    QString columnTypeName(int column) const;
    int columnLength(int column) const;
    ColumnDef columnDef(int column) const;
    ColumnDef columnDef(const QString& name) const;
    const QList<ColumnDef>& columns() const { return m_columns; }
    const RowLayout& layout() const { return m_layout; }
    // Byte offset and size of a field inside a record's raw storage (Record::rawData()).
    int columnOffset(int column) const;
    int columnSize(int column) const;

    MasterIndex* masterIndex() const { return m_master; }
    int count() const;
    // The table's record with the key of `keySource` (which may be detached), or the empty handle.
    Record find(const Record& keySource) const;
    // The same by the key's text (key fields joined with ","); the empty handle when the text is no key here.
    Record findByKeyText(const QString& keyText) const;
    // A record's key fields (every field for a table without a key) joined with ",".
    QString keyText(const Record& record) const;

    // Registers an index; its first build() runs from the event loop, unless it is removed or builds itself
    // before (it then takes itself off the queue). An index still registered when the table is destroyed hears
    // sourceDestroyed().
    void addIndex(Index* index);
    void removeIndex(Index* index);
    QVector<Index*> indexes() const { return m_indexes; }
    IndexBuildQueue* buildQueue() const { return m_buildQueue; }

    // Takes every record out; each index is cleared.
    void clear();
    // Puts detached records in as one batch; a record whose key is already in the table replaces its values.
    void appendList(const QList<Record>& records);
    // Takes a record out; `row` is the record's row in the master index when known, else -1.
    void remove(const Record& record, int row = -1);
    // Puts a detached record of this table in; the indexes are told. Throws a QString when the record is staged
    // in an open transaction or its key is taken.
    void append(const Record& record);
    // Tells the indexes that fields firstColumn..lastColumn (-1 in either: all) of an in-table record changed.
    void updated(const Record& record, int firstColumn, int lastColumn);

private:
    friend class RecordsTrans;
    friend class TableUpdater;
    friend class TableLocker;

    void beginChanges();
    void endChanges();
    void indexesBeginUpdate();
    template<typename Call>
    void forEachIndex(Call call);

    void appendRecord(const Record& record);
    void removeRecord(const Record& record, int row);
    void updateRecord(const Record& record, int firstColumn, int lastColumn);
    void deliverBatch(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew);

    QString m_name;
    QList<ColumnDef> m_columns;
    QHash<QString, int> m_columnIndex;
    RowLayout m_layout;
    MasterIndex* m_master; // owned
    QVector<Index*> m_indexes; // not owned
    IndexBuildQueue* m_buildQueue; // owned through the parent

    std::shared_mutex m_lock; // a pthread lock: ThreadSanitizer sees who waits for whom
    int m_changeDepth = 0;
    bool m_indexesInUpdate = false;
};
