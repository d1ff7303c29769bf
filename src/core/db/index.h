#pragma once

#include "core/db/record.h"

#include <QElapsedTimer>
#include <QList>

// An ordered view of a table's records that the table keeps informed of every change.
// Single changes arrive as add()/remove()/update() after the record changed (row is a position hint, -1 when
// unknown). A batch arrives as preprocess() while the `updated` handles still answer their old values
// (`updatedNew[i]` holds the values `updated[i]` will have), then process() with the same lists once the values
// are applied. firstColumn..lastColumn is the range of changed fields, -1 in either meaning all.
class BV_DB_EXPORT Index
{
public:
    Index() = default;
    virtual ~Index();

    virtual void clear() = 0;
    virtual void build() = 0;
    // Clears, then builds.
    virtual void rebuild();
    virtual void add(const Record& record) = 0;
    // Does nothing by default.
    virtual void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew);
    // Applies the batch record by record: remove(r, -1) for each removed, update(r, first, last, -1) for each
    // updated, add(r) for each added record that passes filter().
    virtual void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added);
    virtual void remove(const Record& record, int row) = 0;
    virtual bool filter(const Record& record) const = 0;
    virtual bool contains(const Record& record) const = 0;
    // Removes a record that no longer passes filter(), adds one that now does.
    virtual void update(const Record& record, int firstColumn, int lastColumn, int row);
    virtual int indexOf(const Record& record) const;
    virtual void beginUpdate();
    virtual void endUpdate();
    virtual void dependentBeginUpdate(Table* table);
    virtual void dependentEndUpdate(Table* table);
    virtual QString getClassName() const;
    // The table or model this index registered with is being destroyed: forget it and drop every record (their
    // table goes with it). The index stays usable, and empty. By default: clear().
    virtual void sourceDestroyed();

    // Whether a change of fields firstColumn..lastColumn (-1 in either: all) touches any of the columns.
    static bool touches(const QList<int>& columns, int firstColumn, int lastColumn);

    // Time spent in this index's batch handling, and in the GUI thread's indexes together (a worker's own tables
    // add only to their own figures).
    qint64 nsecsElapsed() const { return m_nsecsElapsed; }
    static qint64 m_nsecsElapsedTotal;

protected:
    void restartTimer() { m_elapsed.start(); }
    void accumulateElapsed();

    QElapsedTimer m_elapsed;
    qint64 m_nsecsElapsed = 0;

private:
    Q_DISABLE_COPY(Index)
};
