#pragma once

#include "core/db/indexlist.h"
#include "core/db/rowlayout.h"

#include <QStringList>

// The table's own storage: every record of the table, in primary-key order. Keys are unique; a record can be
// found by the key of any record of the table, detached ones included, in O(log n).
class BV_DB_EXPORT MasterIndex : public IndexList
{
    Q_DECLARE_TR_FUNCTIONS(MasterIndex)
public:
    MasterIndex(Table* table, const QList<int>& keyColumns);

    QStringList columnNames() const;
    const QList<int>& keyColumns() const { return m_keyColumns; }
    bool hasKey() const { return !m_keyColumns.isEmpty(); }
    bool touchesKey(int firstColumn, int lastColumn) const;

    // Order of two records (of this table, in it or not) by their keys.
    int compareKeys(const Record& a, const Record& b) const;
    // A hash of a record's key; keys equal under compareKeys() hash equal (1.5 and 1.50 included), so that a
    // large batch can be checked for repeated keys without comparing every pair.
    uint keyHash(const Record& record, uint seed = 0) const;
    // Row of the table record whose key equals that of `keySource`, or -1.
    int find(const Record& keySource) const;
    Record recordByKey(const Record& keySource) const;
    // A detached record holding the key written as text (key fields joined with ","), or the empty handle when
    // the text cannot be a key of this table.
    Record keyRecord(const QString& keyText) const;
    // The same from the key fields' texts, one per key column: any text, "," included.
    Record keyRecord(const QStringList& keyValues) const;
    // The texts of a record's key fields, in key order.
    QStringList keyValues(const Record& record) const;
    // The records before and after (empty handles at the ends) the record of the last single update that
    // touched the key, where it stood before the change: its old key is gone by then, and a listener that has to
    // name the record as it was (a recording) names it by these. Both empty when it was not found; kept until the
    // table's change ends.
    const Record& rekeyedPrevious() const { return m_rekeyedPrevious; }
    const Record& rekeyedNext() const { return m_rekeyedNext; }
    bool rekeyedFound() const { return m_rekeyedFound; }
    // Stable sort of handles by key.
    void sortByKey(QList<Record>& records) const;
    // Sorts by key and keeps, of several records with one key, only the last in the given order; the others
    // go to `dropped` when given.
    void sortUniqueByKey(QList<Record>& records, QList<Record>* dropped = nullptr) const;

    void build() override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    bool contains(const Record& record) const override;
    int indexOf(const Record& record) const override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    void endUpdate() override;
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override;
    // `added` arrives sorted by key (RecordsTrans delivers it so).
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override;
    QString getClassName() const override;

private:
    struct KeyPart
    {
        int column;
        FieldType::Type type;
        int length;
        int offset;
    };
    int lowerBound(const Record& keySource) const;
    // For a key of one integer column: the records' keys taken out once, then sorted without touching the rows.
    bool sortByIntegerKey(QList<Record>& records, QList<Record>* dropped, bool unique) const;
    // Inserts key-sorted records, merging the whole list when the batch is large.
    void insertSorted(const QList<Record>& sorted);

    QList<int> m_keyColumns;
    const RowLayout* m_layout; // the table's
    QVector<KeyPart> m_keyParts;
    // Between preprocess and process: rows leaving their place, and records to put back by their new key.
    RangeSet<int> m_pendingRemoval;
    QList<Record> m_pendingReinsert;
    Record m_rekeyedPrevious;
    Record m_rekeyedNext;
    bool m_rekeyedFound = false;
};
