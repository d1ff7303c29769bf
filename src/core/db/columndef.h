#pragma once

#include "core/db/bv_db_export.h"
#include "core/db/fieldtype.h"

#include <QString>

// One column of a table: its storage type and the texts shown for it.
// `length` is the maximum number of characters for texts and the default scale for decimals.
struct BV_DB_EXPORT ColumnDef
{
    FieldType::Type type = FieldType::Unknown;
    int length = 0;
    QString name;
    QString title;
    bool visible = true;
    QString description;

    ColumnDef() = default;
    ColumnDef(FieldType::Type type, int length, const QString& name, const QString& title = QString(),
        bool visible = true, const QString& description = QString());
    ColumnDef(FieldType::Type type, const QString& name, const QString& title = QString());

    bool isValid() const { return FieldType::isValid(type) && !name.isEmpty(); }
};
