#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>

class Table;

// A table kept as a file: each record's fields that hold a value, as texts under their column names (JSON).
// Writing replaces the file only once the new contents are complete, so a failed write leaves the previous file
// as it was. Reading replaces the table's records with the file's, all or nothing, as one change.
class TableFile
{
    Q_DECLARE_TR_FUNCTIONS(TableFile)
public:
    TableFile(Table* table, const QString& path);

    QString path() const { return m_path; }
    // Without a file, true and nothing read. False with the reason when the file cannot be read, is not this
    // table's, names a column the table lacks, holds a value a field cannot hold or one key twice; the table is
    // then left as it was.
    bool read(QString* error) const;
    // False with the reason when the file cannot be written or the table is gone.
    bool write(QString* error) const;

private:
    QPointer<Table> m_table;
    QString m_path;
};
