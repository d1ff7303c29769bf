#include "core/db/columndef.h"

ColumnDef::ColumnDef(FieldType::Type type, int length, const QString& name, const QString& title, bool visible,
    const QString& description)
    : type(type)
    , length(length)
    , name(name)
    , title(title.isEmpty() ? name : title)
    , visible(visible)
    , description(description)
{ }

ColumnDef::ColumnDef(FieldType::Type type, const QString& name, const QString& title)
    : ColumnDef(type, 0, name, title)
{ }
