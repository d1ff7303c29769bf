#include "models/itemindexmodel.h"

#include "core/db/indexbuildqueue.h"
#include "core/db/indexdependbase.h"
#include "core/db/indexiterative.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"

namespace ItemIndexModelNamespace {

void releaseFromTable(void* owner, Index* index)
{
    static_cast<Table*>(owner)->removeIndex(index);
}

void releaseFromDepend(void* owner, Index* index)
{
    static_cast<IndexDependBase*>(owner)->removeDependentIndex(index);
}

} // namespace ItemIndexModelNamespace

ItemIndexModel::ItemIndexModel(Table* table, QObject* parent)
    : ItemModelWithDelegates(parent)
{
    setup(table);
}

ItemIndexModel::ItemIndexModel(IndexDependBase* depend, QObject* parent)
    : ItemModelWithDelegates(parent)
{
    setup(depend);
}

ItemIndexModel::ItemIndexModel(Table* table, QAbstractItemModelPrivate& dd, QObject* parent)
    : ItemModelWithDelegates(dd, parent)
{
    setup(table);
}

ItemIndexModel::ItemIndexModel(IndexDependBase* depend, QAbstractItemModelPrivate& dd, QObject* parent)
    : ItemModelWithDelegates(dd, parent)
{
    setup(depend);
}

ItemIndexModel::~ItemIndexModel()
{
    if (m_release)
        m_release(m_owner, this);
}

void ItemIndexModel::setup(Table* table)
{
    m_source = table->masterIndex();
    setColumns(table->columns());
    m_owner = table;
    m_release = &ItemIndexModelNamespace::releaseFromTable;
    m_buildQueue = table->buildQueue();
    table->addIndex(this);
}

void ItemIndexModel::setup(IndexDependBase* depend)
{
    m_source = dynamic_cast<IndexIterative*>(depend->owner());
    Q_ASSERT_X(m_source, "ItemIndexModel", "a dependency's owner must be walkable");
    if (m_source)
        setColumns(m_source->table()->columns());
    m_owner = depend;
    m_release = &ItemIndexModelNamespace::releaseFromDepend;
    m_buildQueue = depend->buildQueue();
    m_dependencyOwner = depend->owner();
    depend->addDependentIndex(this);
}

Table* ItemIndexModel::table() const
{
    return m_source ? m_source->table() : nullptr;
}

void ItemIndexModel::rebuild()
{
    beginResetModel();
    const bool blocked = blockSignals(true);
    Index::rebuild();
    blockSignals(blocked);
    endResetModel();
}

void ItemIndexModel::beginUpdate()
{
    Q_EMIT beginUpdates();
}

void ItemIndexModel::endUpdate()
{
    Q_EMIT endUpdates();
}

void ItemIndexModel::dropScheduledBuild()
{
    if (m_buildQueue)
        m_buildQueue->cancel(this);
}

void ItemIndexModel::sourceDestroyed()
{
    // Registered no more: the destructor has nothing to release.
    m_release = nullptr;
    m_owner = nullptr;
    m_buildQueue = nullptr;
    m_dependencyOwner = nullptr;
    m_source = nullptr;
    clear();
}

QString ItemIndexModel::getClassName() const
{
    return QString::fromLatin1(metaObject()->className());
}
