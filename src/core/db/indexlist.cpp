#include "core/db/indexlist.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"

IndexIterative::~IndexIterative() = default;

IndexList::IndexList(Table* table, bool registerWithTable)
    : m_table(table)
    , m_registered(registerWithTable)
{
    if (m_registered)
        m_table->addIndex(this);
}

IndexList::~IndexList()
{
    if (m_registered)
        m_table->removeIndex(this);
}

void IndexList::sourceDestroyed()
{
    m_list.clear();
    m_registered = false;
    m_table = nullptr;
}

void IndexList::clear()
{
    m_list.clear();
}

void IndexList::build()
{
    m_list.clear();
    if (!m_table)
        return;
    for (const Record& r : *m_table->masterIndex()) {
        if (filter(r))
            m_list.append(r);
    }
}

void IndexList::add(const Record& record)
{
    m_list.append(record);
}

void IndexList::remove(const Record& record, int row)
{
    const int p = (row >= 0 && m_list.at(row) == record) ? row : indexOf(record);
    if (p >= 0)
        m_list.removeAt(p);
}

bool IndexList::filter(const Record&) const
{
    return true;
}

bool IndexList::contains(const Record& record) const
{
    return indexOf(record) >= 0;
}

int IndexList::indexOf(const Record& record) const
{
    if (record.isNull())
        return -1;
    const auto it = std::find(m_list.begin(), m_list.end(), record);
    return it == m_list.end() ? -1 : it.position();
}

QString IndexList::getClassName() const
{
    return QStringLiteral("IndexList");
}

void IndexList::move(int first, int last, int to)
{
    m_list.move(first, last, to);
}

void IndexList::removeRanges(const RangeSet<int>& rows)
{
    m_list.removeRanges(rows);
}
