#pragma once

#include "core/host/bv_host_export.h"

#include <QMap>
#include <QObject>
#include <QPointer>

class Table;

// The host's tables by name ("securities", "orders", ...). The registry owns the tables registered with it.
// Every registry reports its changes through one process-wide notifier, so that directories follow the tables
// of whichever host core is current.
class BV_HOST_EXPORT TableRegistry : public QObject
{
    Q_OBJECT
public:
    explicit TableRegistry(QObject* parent = nullptr);
    ~TableRegistry() override;

    // Null for a name that is not registered.
    Table* table(const QString& name) const;
    QStringList names() const;
    // Takes ownership; false (nothing changes) when the name is taken.
    bool registerTable(Table* table);
    // Gives the table back to the caller, or null.
    Table* unregisterTable(const QString& name);

    // Emits changed(name) whenever any registry registers or drops a table.
    static TableRegistry* notifier();

Q_SIGNALS:
    void changed(const QString& name);

private:
    QMap<QString, QPointer<Table>> m_tables;
};
