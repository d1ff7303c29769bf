#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QString>

class FileImporterConvertor;
class Table;

// The table columns an import can fill, in the order the mapping page offers them: the key columns, the
// convertor's mandatory columns, then its optional ones, each name once. Shared by the page and by imports
// mapped without a page, so that a header text finds its column the same way in both.
class BASIC_VIEWS_EXPORT ImporterTargets
{
public:
    enum Kind { Skip = 0, Required = 1, Optional = 2 };

    struct Entry
    {
        QString name;
        QString title;
        QString description;
        Kind kind = Skip;
        QStringList aliases;
    };

    static ImporterTargets from(const Table* table, FileImporterConvertor* convertor);

    const QList<Entry>& entries() const { return m_entries; }
    // The column whose name is the text, else the first whose aliases hold it; empty when none.
    QString find(const QString& text) const;
    QStringList required() const;
    // The entry's title, or the name itself for a column the table does not have.
    QString title(const QString& name) const;

private:
    QList<Entry> m_entries;
};
