#pragma once

#include "core/db/bv_db_export.h"

#include <QObject>
#include <QVector>

class Index;

// Builds newly registered indexes from the event loop, never from inside their constructors; an index
// unregistered before its turn is dropped.
class BV_DB_EXPORT IndexBuildQueue : public QObject
{
    Q_OBJECT
public:
    explicit IndexBuildQueue(QObject* parent = nullptr);

    void schedule(Index* index);
    void cancel(Index* index);
    bool isScheduled(Index* index) const { return m_pending.contains(index); }

private:
    void runPending();

    QVector<Index*> m_pending; // not owned
    bool m_posted = false;
};
