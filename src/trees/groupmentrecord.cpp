#include "trees/groupmentrecord.h"

#include "trees/groupmentcolumns.h"
#include "trees/recorditem.h"

GroupmentRecord::GroupmentRecord(const QString& name)
    : Groupment(name)
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
    : m_columns(columns)
{ }

QString GroupmentRecordColumns::groupKey(const Record& record) const
{
    return GroupmentColumns::joinedFields(record, m_columns);
}

bool GroupmentRecordColumns::keysAreRecordKeys() const
{
    return false;
}
