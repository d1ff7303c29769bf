#include "core/host/tableregistry.h"

#include "core/db/table.h"

TableRegistry::TableRegistry(QObject* parent)
    : QObject(parent)
{ }

TableRegistry::~TableRegistry()
{
    const QStringList all = names();
    for (const QString& name : all)
        delete unregisterTable(name);
}

Table* TableRegistry::table(const QString& name) const
{
    return m_tables.value(name);
}

QStringList TableRegistry::names() const
{
    return m_tables.keys();
}

bool TableRegistry::registerTable(Table* table)
{
    if (!table || m_tables.value(table->name()))
        return false;
    table->setParent(this);
    m_tables.insert(table->name(), table);
    Q_EMIT notifier()->changed(table->name());
    return true;
}

Table* TableRegistry::unregisterTable(const QString& name)
{
    Table* table = m_tables.take(name);
    if (!table)
        return nullptr;
    table->setParent(nullptr);
    Q_EMIT notifier()->changed(name);
    return table;
}

TableRegistry* TableRegistry::notifier()
{
    static TableRegistry hub;
    return &hub;
}
