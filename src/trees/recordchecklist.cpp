#include "trees/recordchecklist.h"

#include "trees/private/recordchecklist_p.h"

RecordCheckList::RecordCheckList(Table* table, QObject* parent)
    : QObject(parent)
    , IndexList(table, true)
    , m_d(new RecordCheckListPrivate)
{ }

RecordCheckList::~RecordCheckList() = default;

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
    Q_D(const RecordCheckList);
    return d->checked.contains(record);
}

bool RecordCheckList::filter(const Record&) const
{
    return false;
}

void RecordCheckList::add(const Record& record)
{
    Q_D(RecordCheckList);
    if (record.isNull() || d->checked.contains(record))
        return;
    d->checked.insert(record);
    IndexList::add(record);
    Q_EMIT added(record);
}

void RecordCheckList::remove(const Record& record, int)
{
    Q_D(RecordCheckList);
    if (!d->checked.remove(record))
        return;
    IndexList::remove(record, -1);
    Q_EMIT removed(record);
}

void RecordCheckList::update(const Record&, int, int, int) { }

void RecordCheckList::build() { }

void RecordCheckList::clear()
{
    Q_D(RecordCheckList);
    const QList<Record> all = d->checked.values();
    for (const Record& record : all)
        remove(record, -1);
}

void RecordCheckList::sourceDestroyed()
{
    Q_D(RecordCheckList);
    d->checked.clear();
    IndexList::sourceDestroyed();
}

QString RecordCheckList::getClassName() const
{
    return QStringLiteral("RecordCheckList");
}
