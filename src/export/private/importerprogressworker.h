#pragma once

#include "core/db/record.h"
#include "core/host/progress/progressworker.h"
#include "export/fileimporter.h"
#include "export/private/importedkeys.h"

#include <QCoreApplication>
#include <QMap>
#include <QPointer>
#include <QVariant>

class Field;
class FileImporterConvertor;
class IFileImporterHandler;
class QIODevice;
class RecordsTrans;
class Table;

// Reads a file's rows into records of a table under a progress dialog, all in one transaction, so that a
// cancelled run, or a table closed meanwhile, leaves the table as it was. Texts for every refused row go to the
// result. The run pauses for events every 20 ms and checks afterwards that the table and the dialog still exist.
class BASIC_VIEWS_EXPORT ImporterProgressWorker : public ProgressWorker
{
    Q_DECLARE_TR_FUNCTIONS(ImporterProgressWorker)
public:
    ImporterProgressWorker(ProgressDialog* dialog, Table* table, IFileImporterHandler* handler, QIODevice* device,
        FileImporterConvertor* convertor, const QMap<QString, QVariant>& params, const QMap<QString, int>& mapping,
        FileImporter::Result* result);

    int run() override;

    // Writes a file's value into a field; an empty or null value leaves the field unset. Throws the failure text
    // (empty for a date-time that does not read).
    static void setField(Field field, const QVariant& value);
    // The message of a run whose table was closed meanwhile.
    static QString tableClosed(const QString& tableName);

private:
    // File field -> table column, in ascending file-field order.
    using Group = QMap<int, int>;

    bool checkColumns();
    void readRows();
    void importRow(QList<QVariant>& values, int n, RecordsTrans& trans);
    // False when the run must stop: cancelled, or the table is gone.
    bool pause(RecordsTrans& trans);
    void summarize();

    QPointer<Table> m_table;
    IFileImporterHandler* m_handler; // not owned
    QIODevice* m_device; // not owned
    FileImporterConvertor* m_convertor; // not owned
    QMap<QString, QVariant> m_params;
    QMap<QString, int> m_mapping;
    FileImporter::Result* m_result; // not owned
    Group m_key;
    Group m_mandatory;
    Group m_optional;
    QList<int> m_columns; // the table column of each value a row brings
    ImportedKeys m_imported; // this run's rows, emptied when the run ends
};
