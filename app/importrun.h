#pragma once

#include <QStringList>

class FileImporterConvertor;
class QTextStream;
class Table;

// An import without dialogs, as a scheduler's script runs one: the file's first line names its columns, which
// find their table columns by name or alias; each "COLUMN=FIELD" overrides one (FIELD is a header name, or a
// field's 0-based position when no header field has that name; "COLUMN=" leaves the column out). Prints the
// summary lines and every message.
class ImportRun
{
public:
    enum Exit { Imported = 0, NotAll = 1, Usage = 2 };

    ImportRun(Table* table, FileImporterConvertor* convertor);
    // Exit code: Imported when every row went in whole, NotAll otherwise, Usage for a bad mapping.
    int run(const QString& path, const QStringList& maps, QTextStream& out, QTextStream& err);

private:
    Table* m_table; // not owned
    FileImporterConvertor* m_convertor; // not owned
};
