#pragma once

#include "core/db/record.h"

#include <QHash>
#include <QVector>

class Table;

// A batch of record writes applied to a table at once, the way the trading gateway delivers changes.
// Records are staged through RecordUpdater: in-table records are updated (their new values are kept apart until
// the batch is applied) or removed; detached records are inserted, and an insert whose key is already in the
// table replaces that record's values. When the batch is applied every index gets preprocess() while the updated
// records still answer their old values, then the values change, then process().
//
// The batch is applied by commit(), or when the transaction ends normally. A transaction abandoned by an
// exception, or cleared, leaves the table exactly as it was and notifies no index.
class BV_DB_EXPORT RecordsTrans
{
    Q_DECLARE_TR_FUNCTIONS(RecordsTrans)
public:
    explicit RecordsTrans(Table* table);
    ~RecordsTrans();

    Table* table() const { return m_table; }
    bool isEmpty() const { return m_inserts.isEmpty() && m_updates.isEmpty(); }
    int count() const { return m_inserts.size() + m_updates.size(); }

    // Whether a staged record (insert or update, by its staged values) has the key of `keySource`.
    bool contains(const Record& keySource) const;
    bool containsKey(const QString& keyText) const;
    // The record that will hold the key of `keySource` once the transaction is applied, so that further writes
    // to that key go through it: the last staged insert with the key, else the table's record with the key
    // unless it is staged for removal; the empty handle when none. Keys are read as staged inserts and the
    // table hold them now; staged inserts are compared one by one.
    Record find(const Record& keySource) const;

    // Applies the batch and empties the transaction. Throws a QString, changing nothing, when the batch would
    // give two records of the table the same key.
    void commit();
    // Forgets every staged change.
    void clear();

private:
    friend class RecordUpdater;
    Q_DISABLE_COPY(RecordsTrans)

    struct Update
    {
        Record original;
        Record staged;
        bool remove = false;
    };

    // The record that receives the writes for `record`.
    Record stage(const Record& record);
    void stageRemoval(const Record& record);
    int updateEntry(const Record& record);
    // Position in m_updates of a staged in-table record, or -1.
    int stagedUpdate(const Record& record) const;
    void releaseStaged();
    // The range of fields in which staged values differ from the current ones; false when none differ.
    bool changedColumns(const Update& update, int& first, int& last) const;

    Table* m_table; // not owned
    QList<Record> m_inserts;
    QVector<Update> m_updates;
    mutable QHash<const void*, int> m_updateIndex; // original row -> position in m_updates, built when first needed
    int m_uncaught;
};
