#pragma once

#include "export/fileimporterconvertor.h"

#include <QPointer>

class Table;

// Money limits from a file: the account (the key) is required; the limit, the used part and the comment are
// taken when the file has them. A file's header may name a column by its title ("Счёт", "Лимит", ...).
class LimitsImportConvertor : public FileImporterConvertor
{
public:
    explicit LimitsImportConvertor(Table* limits);

    QStringList colsOptional() override;
    QStringList getColAliases(const QString& column) override;

private:
    QPointer<Table> m_table;
};
