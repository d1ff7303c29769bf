#include "trees/recordchecklist.h"

RecordCheckList::RecordCheckList(Table* table, QObject* parent)
    : QObject(parent)
    , IndexList(table, true)
{ }

void RecordCheckList::check(const Record& record)
{
    add(record);
}

void RecordCheckList::uncheck(const Record& record)
{
    remove(record, -1);
}

bool RecordCheckList::contains(const Record& record) const
{
    return m_checked.contains(record);
}

bool RecordCheckList::filter(const Record&) const
{
    return false;
}

void RecordCheckList::add(const Record& record)
{
    if (record.isNull() || m_checked.contains(record))
        return;
    m_checked.insert(record);
    IndexList::add(record);
    Q_EMIT added(record);
}

void RecordCheckList::remove(const Record& record, int)
{
    if (!m_checked.remove(record))
        return;
    IndexList::remove(record, -1);
    Q_EMIT removed(record);
}

void RecordCheckList::update(const Record&, int, int, int) { }

void RecordCheckList::build() { }

void RecordCheckList::clear()
{
    const QList<Record> all = m_checked.values();
    for (const Record& record : all)
        remove(record, -1);
}

void RecordCheckList::sourceDestroyed()
{
    m_checked.clear();
    IndexList::sourceDestroyed();
}

QString RecordCheckList::getClassName() const
{
    return QStringLiteral("RecordCheckList");
}
