#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QScopedPointer>
#include <QString>

class FileImporterConvertor;
class Table;

class ImporterTargetsPrivate;

// The table columns an import can fill, in the order the mapping page offers them: the key columns, the
// convertor's mandatory columns, then its optional ones, each name once. Shared by the page and by imports
// mapped without a page, so that a header text finds its column the same way in both.
class BASIC_VIEWS_EXPORT ImporterTargets
{
    Q_DECLARE_PRIVATE(ImporterTargets)
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

    ImporterTargets();
    ~ImporterTargets();
    ImporterTargets(const ImporterTargets& other);
    ImporterTargets& operator=(const ImporterTargets& other);

    static ImporterTargets from(const Table* table, FileImporterConvertor* convertor);

    const QList<Entry>& entries() const;
    // The column whose name is the text, else the first whose aliases hold it; empty when none.
    QString find(const QString& text) const;
    QStringList required() const;
    // The entry's title, or the name itself for a column the table does not have.
    QString title(const QString& name) const;

private:
    QScopedPointer<ImporterTargetsPrivate> d_ptr;
};
