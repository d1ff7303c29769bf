#pragma once

#include "columns/itemmodelwithdelegates.h"
#include "core/db/index.h"

class IndexBuildQueue;
class IndexDependBase;
class IndexIterative;
class Table;

namespace ItemIndexModelNamespace {
// Unregisters a model from what it registered with: a table or another model's dependency.
using IndexReleaseFunc = void (*)(void* owner, Index* index);
} // namespace ItemIndexModelNamespace

// A Qt item model that is at the same time an index of a live table, or of another model (through its
// IndexDependBase): it registers in its constructor, is told of every change through the Index operations,
// and unregisters first thing in its destructor, so that nothing notifies a half-destroyed model. When the table
// or the owner model goes first, the model empties itself (one reset) and stays usable, over nothing.
class BASIC_VIEWS_EXPORT ItemIndexModel : public ItemModelWithDelegates, public Index
{
    Q_OBJECT
public:
    ItemIndexModel(Table* table, QObject* parent = nullptr);
    ItemIndexModel(IndexDependBase* depend, QObject* parent = nullptr);
    ~ItemIndexModel() override;

    // The table of the records, through any chain of models; null once it is gone.
    Table* table() const override;
    IndexIterative* source() const { return m_source; }
    // The model this one is built on (its rows are this model's candidates); null over a table.
    Index* dependencyOwner() const { return m_dependencyOwner; }

    // One model reset, whatever the rebuild does inside.
    void rebuild() override;
    void beginUpdate() override;
    void endUpdate() override;
    QString getClassName() const override;
    void sourceDestroyed() override;

Q_SIGNALS:
    void beginUpdates();
    void endUpdates();

protected:
    ItemIndexModel(Table* table, QAbstractItemModelPrivate& dd, QObject* parent);
    ItemIndexModel(IndexDependBase* depend, QAbstractItemModelPrivate& dd, QObject* parent);
    // A model that builds itself needs no build from its table's (or owner's) queue any more.
    void dropScheduledBuild();

private:
    void setup(Table* table);
    void setup(IndexDependBase* depend);

    IndexIterative* m_source = nullptr; // not owned
    ItemIndexModelNamespace::IndexReleaseFunc m_release = nullptr;
    void* m_owner = nullptr; // the Table or IndexDependBase registered with
    IndexBuildQueue* m_buildQueue = nullptr; // the owner's
    Index* m_dependencyOwner = nullptr; // not owned
};
