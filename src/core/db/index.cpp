#include "core/db/index.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

// The GUI thread's indexes together: the soak weighs it against the GUI thread's second. Tables a worker keeps
// for itself (the feed's copy of the market) count only in their own indexes' figures, so the total stays a
// value one thread writes.
qint64 Index::m_nsecsElapsedTotal = 0;

Index::~Index() = default;

void Index::rebuild()
{
    clear();
    build();
}

void Index::preprocess(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>&, const QList<Record>&)
{ }

void Index::process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
    const QList<Record>& added)
{
    for (const Record& r : removed)
        remove(r, -1);
    for (const Record& r : updated)
        update(r, firstColumn, lastColumn, -1);
    for (const Record& r : added) {
        if (filter(r))
            add(r);
    }
}

void Index::update(const Record& record, int, int, int row)
{
    const bool shown = contains(record);
    const bool wanted = filter(record);
    if (shown && !wanted)
        remove(record, row);
    else if (!shown && wanted)
        add(record);
}

int Index::indexOf(const Record&) const
{
    return -1;
}

void Index::beginUpdate() { }

void Index::endUpdate() { }

void Index::dependentBeginUpdate(Table*) { }

void Index::dependentEndUpdate(Table*) { }

void Index::sourceDestroyed()
{
    clear();
}

QString Index::getClassName() const
{
    return QStringLiteral("Index");
}

bool Index::touches(const QList<int>& columns, int firstColumn, int lastColumn)
{
    if (firstColumn < 0 || lastColumn < 0)
        return !columns.isEmpty();
    return std::any_of(columns.begin(), columns.end(), [&](int c) { return c >= firstColumn && c <= lastColumn; });
}

void Index::accumulateElapsed()
{
    if (!m_elapsed.isValid())
        return;
    const qint64 ns = m_elapsed.nsecsElapsed();
    m_nsecsElapsed += ns;
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread())
        m_nsecsElapsedTotal += ns;
}
