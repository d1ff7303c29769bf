#include "core/db/index.h"

#include <algorithm>

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
    m_nsecsElapsedTotal += ns;
}
