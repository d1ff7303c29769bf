#include "core/db/indexbuildqueue.h"

#include "core/db/index.h"

IndexBuildQueue::IndexBuildQueue(QObject* parent)
    : QObject(parent)
{ }

void IndexBuildQueue::schedule(Index* index)
{
    if (!m_pending.contains(index))
        m_pending.append(index);
    if (!m_posted) {
        m_posted = true;
        QMetaObject::invokeMethod(this, &IndexBuildQueue::runPending, Qt::QueuedConnection);
    }
}

void IndexBuildQueue::cancel(Index* index)
{
    m_pending.removeAll(index);
}

void IndexBuildQueue::runPending()
{
    m_posted = false;
    // A build may register or unregister indexes: take them one at a time from the live list.
    while (!m_pending.isEmpty()) {
        Index* index = m_pending.takeFirst();
        index->build();
    }
}
