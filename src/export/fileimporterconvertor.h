#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QStringList>
#include <QVariant>

class Record;
class RecordUpdater;

// What one table needs from an import beyond the plain mapping: its required and optional columns, other names
// its columns go by in files, value preparation, key construction and a last touch on each record. The base
// imports the key columns and nothing else.
class BASIC_VIEWS_EXPORT FileImporterConvertor
{
public:
    virtual ~FileImporterConvertor();
    virtual QStringList colsMandatory();
    // Whether the table's key columns must come from the file; otherwise setupRecordKey() builds the key.
    virtual bool isMasterColumnsMandatory() const;
    virtual void begin();
    virtual void end();
    // The table columns of the values each row brings, in value order: key, then mandatory, then optional.
    virtual void setColumns(const QList<int>& tableColumns);
    virtual QStringList colsOptional();
    virtual void setupRecordKey(Record& record, const QList<QVariant>& values) const;
    virtual void prepareValues(QList<QVariant>& values) const;
    virtual void commitRecord(RecordUpdater& updater) const;
    // Other texts a file's header may name the column by.
    virtual QStringList getColAliases(const QString& column);
};
