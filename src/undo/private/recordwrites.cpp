#include "undo/private/recordwrites.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"

namespace Undo {

void runDirect(Table* table, const std::function<void()>& write, const std::function<void()>& children)
{
    if (!table)
        return children();
    TableUpdater updater(table);
    write();
    children();
}

void appendCopy(Table* table, const Record& record)
{
    if (record.table() != table || !table->find(record).isNull())
        return;
    Record copy = record.clone();
    copy.append();
}

void removeByKey(Table* table, const Record& record)
{
    if (record.table() != table)
        return;
    Record held = table->find(record);
    if (!held.isNull())
        held.remove();
}

void copyByKey(Table* table, const Record& keySource, const Record& values)
{
    if (keySource.table() != table || values.table() != table)
        return;
    Record held = table->find(keySource);
    if (held.isNull())
        return;
    if (table->masterIndex()->compareKeys(keySource, values) != 0 && !table->find(values).isNull())
        return;
    held.copy(values);
    held.updated();
}

void stageCopy(RecordsTrans& trans, const Record& record)
{
    if (record.table() != trans.table() || !trans.find(record).isNull())
        return;
    RecordUpdater(record.clone(), trans, -1);
}

void stageRemoval(RecordsTrans& trans, const Record& record)
{
    if (record.table() != trans.table())
        return;
    const Record held = trans.find(record);
    if (!held.isNull())
        RecordUpdater(held, trans, -1).remove();
}

void stageFields(RecordsTrans& trans, const Record& keySource, const Record& values, int first, int last)
{
    if (keySource.table() != trans.table() || values.table() != trans.table())
        return;
    const Record held = trans.find(keySource);
    if (!held.isNull())
        RecordUpdater(held, trans, -1).copy(values, first, last);
}

} // namespace Undo
