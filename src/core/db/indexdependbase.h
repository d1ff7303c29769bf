#pragma once

#include "core/db/index.h"
#include "core/db/indexbuildqueue.h"

// Passes the changes an owner index has applied on to the indexes built on that owner (models over a model).
// Dependents are told in the order they were added; a newly added one is built from the event loop, unless it
// builds itself first. Dependents still registered when it is destroyed (with its owner) hear sourceDestroyed().
class BV_DB_EXPORT IndexDependBase
{
public:
    explicit IndexDependBase(Index* owner);
    ~IndexDependBase();

    Index* owner() const { return m_owner; }
    void addDependentIndex(Index* index);
    void removeDependentIndex(Index* index);
    const QVector<Index*>& dependentIndexes() const { return m_dependents; }
    IndexBuildQueue* buildQueue() { return &m_buildQueue; }

    void add(const Record& record);
    void remove(const Record& record, int row);
    void update(const Record& record, int firstColumn, int lastColumn, int row);
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew);
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added);
    void build();
    void clear();
    void rebuild();

private:
    Q_DISABLE_COPY(IndexDependBase)
    template<typename Call>
    void forEach(Call call);

    Index* m_owner; // not owned; first field, the owner's identity
    QVector<Index*> m_dependents; // not owned
    IndexBuildQueue m_buildQueue;
};
