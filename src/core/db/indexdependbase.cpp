#include "core/db/indexdependbase.h"

#include <utility>

IndexDependBase::IndexDependBase(Index* owner)
    : m_owner(owner)
{ }

IndexDependBase::~IndexDependBase()
{
    const QVector<Index*> dependents = std::exchange(m_dependents, {});
    for (Index* index : dependents) {
        m_buildQueue.cancel(index);
        index->sourceDestroyed();
    }
}

void IndexDependBase::addDependentIndex(Index* index)
{
    if (m_dependents.contains(index))
        return;
    m_dependents.append(index);
    m_buildQueue.schedule(index);
}

void IndexDependBase::removeDependentIndex(Index* index)
{
    m_dependents.removeAll(index);
    m_buildQueue.cancel(index);
}

template<typename Call>
void IndexDependBase::forEach(Call call)
{
    // A dependent may remove itself while being told; walk a snapshot and skip the ones gone.
    const QVector<Index*> snapshot = m_dependents;
    for (Index* index : snapshot) {
        if (snapshot.constData() == m_dependents.constData() || m_dependents.contains(index))
            call(index);
    }
}

void IndexDependBase::add(const Record& record)
{
    forEach([&](Index* i) {
        if (i->filter(record))
            i->add(record);
    });
}

void IndexDependBase::remove(const Record& record, int row)
{
    Q_UNUSED(row)
    forEach([&](Index* i) { i->remove(record, -1); });
}

void IndexDependBase::update(const Record& record, int firstColumn, int lastColumn, int row)
{
    Q_UNUSED(row)
    forEach([&](Index* i) { i->update(record, firstColumn, lastColumn, -1); });
}

void IndexDependBase::preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added, const QList<Record>& updatedNew)
{
    forEach([&](Index* i) { i->preprocess(removed, updated, firstColumn, lastColumn, added, updatedNew); });
}

void IndexDependBase::process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added)
{
    forEach([&](Index* i) { i->process(removed, updated, firstColumn, lastColumn, added); });
}

void IndexDependBase::build()
{
    forEach([](Index* i) { i->build(); });
}

void IndexDependBase::clear()
{
    forEach([](Index* i) { i->clear(); });
}

void IndexDependBase::rebuild()
{
    forEach([](Index* i) { i->rebuild(); });
}
