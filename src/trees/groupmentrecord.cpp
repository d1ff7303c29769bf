#include "trees/groupmentrecord.h"

#include "trees/groupmentcolumns.h"
#include "trees/private/groupmentrecord_p.h"
#include "trees/recorditem.h"

GroupmentRecord::GroupmentRecord(const QString& name)
    : Groupment(name)
{ }

GroupmentRecord::GroupmentRecord(GroupmentPrivate& dd, const QString& name)
    : Groupment(dd, name)
{ }

QString GroupmentRecord::groupKey(const Record& record) const
{
    return record.toString();
}

GroupmentTreeItem* GroupmentRecord::createGroup(GroupmentTreeItem* parent, const QString& key, const Record&) const
{
    return new RecordItem(key, parent);
}

bool GroupmentRecord::keysAreRecordKeys() const
{
    return true;
}

GroupmentSecurity::GroupmentSecurity()
    : GroupmentRecord(QStringLiteral("GroupmentSecurity"))
{ }

GroupmentTreeItem* GroupmentSecurity::createGroup(GroupmentTreeItem* parent, const QString& key, const Record&) const
{
    return new SecurityItem(key, parent);
}

GroupmentRecordColumns::GroupmentRecordColumns(const QList<int>& columns)
    : GroupmentRecord(*new GroupmentRecordColumnsPrivate, QStringLiteral("GroupmentRecord"))
{
    Q_D(GroupmentRecordColumns);
    d->columns = columns;
}

QString GroupmentRecordColumns::groupKey(const Record& record) const
{
    Q_D(const GroupmentRecordColumns);
    return GroupmentColumns::joinedFields(record, d->columns);
}

bool GroupmentRecordColumns::keysAreRecordKeys() const
{
    return false;
}
