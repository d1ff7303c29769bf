#include "core/host/directories/kvfutmargintypedirectory.h"

#include "core/db/masterindex.h"

KvFutMarginTypeDirectory::KvFutMarginTypeDirectory()
    : TableDirectory(QStringLiteral("kv.fut_margin_type"))
{ }

void KvFutMarginTypeDirectory::reload(const Table* table)
{
    m_entries.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("code"));
    const int marginC = table->columnIndex(QStringLiteral("margin_type"));
    const int saC = table->columnIndex(QStringLiteral("sa_type"));
    const int ucpC = table->columnIndex(QStringLiteral("ucp_type"));
    const int operatorC = table->columnIndex(QStringLiteral("operator_input"));
    for (const Record& r : *table->masterIndex()) {
        m_entries.insert(r.data(codeC).toString(),
            Info { r.data(marginC).toInteger(), r.data(saC).toInteger(), r.data(ucpC).toInteger(),
                r.data(operatorC).toInteger() });
    }
}

QString KvFutMarginTypeDirectory::marginTypeByCode(const QString& code) const
{
    switch (m_entries.value(code).marginType) {
    case 0:
        return tr("Полное");
    case 1:
        return tr("Полунеттинг БФ");
    case 2:
        return tr("Неттинг");
    default:
        return QString();
    }
}

QString KvFutMarginTypeDirectory::SATypeByCode(const QString& code) const
{
    switch (m_entries.value(code).saType) {
    case 0:
        return tr("Собственный");
    case 1:
        return tr("Клиентский");
    case 2:
        return tr("Доверительное управление");
    default:
        return QString();
    }
}

QString KvFutMarginTypeDirectory::UCPTypeByCode(const QString& code) const
{
    switch (m_entries.value(code).ucpType) {
    case 0:
        return tr("Раздельный");
    case 1:
        return tr("Единый пул");
    default:
        return QString();
    }
}

QString KvFutMarginTypeDirectory::operatorInputByCode(const QString& code) const
{
    switch (m_entries.value(code).operatorInput) {
    case 0:
        return tr("Нет");
    case 1:
        return tr("Да");
    default:
        return QString();
    }
}
