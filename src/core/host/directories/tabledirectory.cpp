#include "core/host/directories/tabledirectory.h"

#include "core/db/index.h"
#include "core/host/icore.h"
#include "core/host/tableregistry.h"

// The directory's listener on its table: marks the lookups stale on relevant changes and has them rebuilt once,
// when the table's outermost change ends. Records the table gains are offered to the directory first: a directory
// over a trading table (positions) grows in place, where a rebuild on every batch of the feed would read the whole
// table each time.
class DirectoryWatcher : public Index
{
public:
    DirectoryWatcher(TableDirectory* owner, Table* table, const QList<int>& columns)
        : m_owner(owner)
        , m_table(table)
        , m_columns(columns)
    {
        m_table->addIndex(this);
    }
    ~DirectoryWatcher() override
    {
        if (m_table)
            m_table->removeIndex(this);
    }

    void clear() override { m_stale = true; }
    void build() override { } // the directory loads itself when it attaches
    void add(const Record& record) override { grow({ record }); }
    void remove(const Record&, int) override { m_stale = true; }
    bool filter(const Record&) const override { return true; }
    bool contains(const Record&) const override { return false; }
    void update(const Record&, int firstColumn, int lastColumn, int) override
    {
        m_stale = m_stale || watched(firstColumn, lastColumn);
    }
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override
    {
        m_stale = m_stale || !removed.isEmpty() || (!updated.isEmpty() && watched(firstColumn, lastColumn));
        if (!added.isEmpty())
            grow(added);
    }
    void endUpdate() override
    {
        const bool grown = m_grown;
        m_grown = false;
        if (m_stale) {
            m_stale = false;
            m_owner->refresh();
        } else if (grown) {
            Q_EMIT m_owner->dataChanged();
        }
    }
    QString getClassName() const override { return QStringLiteral("DirectoryWatcher"); }
    // The table goes before the directory: its lookups hold its rows, which go with it.
    void sourceDestroyed() override
    {
        m_table = nullptr;
        m_owner->tableDestroyed();
    }

private:
    // No watched columns means every column.
    bool watched(int first, int last) const { return m_columns.isEmpty() || touches(m_columns, first, last); }
    void grow(const QList<Record>& added)
    {
        if (m_stale)
            return; // read again anyway
        switch (m_owner->grow(added)) {
        case TableDirectory::Growth::Unchanged:
            break;
        case TableDirectory::Growth::Grown:
            m_grown = true;
            break;
        case TableDirectory::Growth::Reload:
            m_stale = true;
            break;
        }
    }

    TableDirectory* m_owner; // not owned
    QPointer<Table> m_table;
    QList<int> m_columns;
    bool m_stale = false;
    bool m_grown = false; // the lookups took added records in without a rebuild
};

TableDirectory::TableDirectory(const QString& tableName, const QStringList& watchedColumns)
    : m_tableName(tableName)
    , m_watchedColumns(watchedColumns)
{
    connect(TableRegistry::notifier(), &TableRegistry::changed, this, &TableDirectory::onTableRegistryChanged);
}

TableDirectory::~TableDirectory() = default;

void TableDirectory::attach()
{
    m_watcher.reset();
    ICore* core = ICore::instance();
    m_table = core && core->tables() ? core->tables()->table(m_tableName) : nullptr;
    if (m_table) {
        QList<int> columns;
        for (const QString& name : qAsConst(m_watchedColumns)) {
            const int c = m_table->columnIndex(name);
            if (c >= 0)
                columns << c;
        }
        m_watcher = std::make_unique<DirectoryWatcher>(this, m_table, columns);
    }
    reload(m_table);
}

TableDirectory::Growth TableDirectory::grow(const QList<Record>&)
{
    return Growth::Reload;
}

void TableDirectory::onTableRegistryChanged(const QString& name)
{
    if (name != m_tableName)
        return;
    attach();
    Q_EMIT dataChanged();
}

void TableDirectory::tableDestroyed()
{
    m_table = nullptr;
    reload(nullptr);
    Q_EMIT dataChanged();
}

void TableDirectory::refresh()
{
    reload(m_table);
    Q_EMIT dataChanged();
}
