#pragma once

#include "core/db/table.h"
#include "core/host/bv_host_export.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <memory>

class DirectoryWatcher;

// A directory over one of the host's reference tables. It finds the table by name in the current host core's
// registry, keeps lookups built from it, and rebuilds them (then emits dataChanged()) whenever the table is
// registered, dropped, destroyed, cleared, gets records it cannot take in place (grow()), loses records, or has a
// watched column changed. Changes to other columns (live prices) cost nothing.
//
// Lookups only read what the last rebuild made, so they are safe from several threads at once; rebuilds run on
// the GUI thread while the table is being changed, when no worker reads.
class BV_HOST_EXPORT TableDirectory : public QObject
{
    Q_OBJECT
public:
    ~TableDirectory() override;

    QString tableName() const { return m_tableName; }
    Table* table() const { return m_table; }

Q_SIGNALS:
    void dataChanged();

protected:
    // An empty watchedColumns list watches every column.
    TableDirectory(const QString& tableName, const QStringList& watchedColumns = QStringList());
    // Rebuilds the lookups from the table, or empties them when it is null.
    virtual void reload(const Table* table) = 0;
    enum class Growth { Unchanged, Grown, Reload };
    // Takes records the table gained into the lookups without reading the table again, answering whether the
    // lookups changed; Reload (the default) has reload() read the whole table when its change ends.
    virtual Growth grow(const QList<Record>& added);

    template<typename Derived>
    friend class DirectoryInstance;
    void attach();

private:
    friend class DirectoryWatcher;
    void onTableRegistryChanged(const QString& name);
    void refresh();
    void tableDestroyed();

    QString m_tableName;
    QStringList m_watchedColumns;
    QPointer<Table> m_table;
    std::unique_ptr<DirectoryWatcher> m_watcher;
};

// The process-wide instance of a directory, made on first use on the GUI thread. The template is visible from
// the library, so every module that calls i() shares the one instance instead of keeping a copy of its own.
template<typename Derived>
class BV_HOST_EXPORT DirectoryInstance
{
public:
    static Derived* i()
    {
        static Derived* instance = [] {
            auto* d = new Derived;
            if (QCoreApplication::instance() && d->thread() != QCoreApplication::instance()->thread())
                d->moveToThread(QCoreApplication::instance()->thread());
            d->attach();
            return d;
        }();
        return instance;
    }
};
