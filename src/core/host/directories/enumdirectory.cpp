#include "core/host/directories/enumdirectory.h"

#include "core/db/field.h"
#include "core/db/masterindex.h"

EnumDirectory::EnumDirectory(const QString& tableName)
    : TableDirectory(tableName)
{ }

namespace {
// A character code is its letter's number.
template<typename Reader>
qint64 codeOfReader(const Reader& field)
{
    if (field.type() == FieldType::Char || field.type() == FieldType::String)
        return field.toChar().unicode();
    return field.toInteger64();
}
} // namespace

qint64 EnumDirectory::codeOf(const Field& field)
{
    return codeOfReader(field);
}

qint64 EnumDirectory::codeOf(const FieldValue& value)
{
    return codeOfReader(value);
}

void EnumDirectory::reload(const Table* table)
{
    m_keys.clear();
    m_texts.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("code"));
    const int nameC = table->columnIndex(QStringLiteral("name"));
    const int descrC = table->columnIndex(QStringLiteral("descr"));
    for (const Record& r : *table->masterIndex()) {
        m_keys << FieldValue(r.data(codeC));
        m_texts.insert(codeOf(r.data(codeC)), qMakePair(r.data(nameC).toString(), r.data(descrC).toString()));
    }
}

QString EnumDirectory::nameByKey(const Field& field) const
{
    return field.hasValue() ? nameByKey(codeOf(field)) : QString();
}

QString EnumDirectory::descrByKey(const Field& field) const
{
    return field.hasValue() ? descrByKey(codeOf(field)) : QString();
}
