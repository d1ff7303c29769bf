#pragma once

#include <functional>

class Record;
class RecordsTrans;
class Table;

// The writes of the undo commands. Each finds the record it acts on by the primary key of the command's stored
// record, and does nothing when that key is missing (or, for an insert, already held): a record deleted or added
// meanwhile by someone else is skipped silently. A record of another table is nothing to them.
namespace Undo {

// A direct command's run: its own write, then its children, under one TableUpdater, so that the table's indexes
// see one change burst; without the table (gone meanwhile), only the children.
void runDirect(Table* table, const std::function<void()>& write, const std::function<void()>& children);

// Appends a copy of `record`; the caller holds a TableUpdater.
void appendCopy(Table* table, const Record& record);
// Removes the table's record with the key of `record`.
void removeByKey(Table* table, const Record& record);
// Copies every field of `values` into the table's record with the key of `keySource`, and reports the row. A
// new key that another record holds leaves the row as it is.
void copyByKey(Table* table, const Record& keySource, const Record& values);

// The same, staged into a transaction; the key is looked for as the transaction will leave the table, so a
// child sees what the children before it staged.
void stageCopy(RecordsTrans& trans, const Record& record);
void stageRemoval(RecordsTrans& trans, const Record& record);
// Copies fields first..last of `values`.
void stageFields(RecordsTrans& trans, const Record& keySource, const Record& values, int first, int last);

} // namespace Undo
