#include "limitsimportconvertor.h"

#include "core/db/table.h"

LimitsImportConvertor::LimitsImportConvertor(Table* limits)
    : m_table(limits)
{ }

QStringList LimitsImportConvertor::colsOptional()
{
    return { QStringLiteral("limit"), QStringLiteral("used"), QStringLiteral("comment") };
}

QStringList LimitsImportConvertor::getColAliases(const QString& column)
{
    const int index = m_table ? m_table->columnIndex(column) : -1;
    if (index < 0)
        return {};
    return { m_table->columnTitle(index) };
}
