#pragma once

#include "core/db/index.h"
#include "core/db/indexiterative.h"
#include "core/db/rangeset.h"

// An index owning a partitioned list of record handles. As a concrete index it keeps the table's records in the
// order they arrived (built in key order); subclasses order them otherwise. Finding a record by handle is a
// linear walk here.
class BV_DB_EXPORT IndexList : public Index, public IndexIterative
{
public:
    // With `registerWithTable` the list registers itself as an index of the table (and is built from the event
    // loop) and unregisters when destroyed.
    IndexList(Table* table, bool registerWithTable);
    ~IndexList() override;

    const Record& at(int row) const { return m_list.at(row); }
    int count() const override { return m_list.count(); }
    const_iterator begin() const override { return m_list.begin(); }
    const_iterator end() const override { return m_list.end(); }
    Table* table() const override { return m_table; }

    void clear() override;
    void build() override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    bool filter(const Record& record) const override;
    bool contains(const Record& record) const override;
    int indexOf(const Record& record) const override;
    QString getClassName() const override;
    void sourceDestroyed() override;

    // Moves rows first..last before the row that was at `to`.
    virtual void move(int first, int last, int to);
    virtual void removeRanges(const RangeSet<int>& rows);

protected:
    PartitionList<Record> m_list;

private:
    Table* m_table; // not owned
    bool m_registered;
};
