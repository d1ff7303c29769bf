#include "trees/groupment.h"

#include "trees/groupmenttreeitem.h"
#include "trees/private/groupment_p.h"

#include <memory>

Groupment::Groupment(const QString& name)
    : Groupment(*new GroupmentPrivate, name)
{ }

Groupment::Groupment(GroupmentPrivate& dd, const QString& name)
    : d_ptr(&dd)
{
    d_ptr->name = name;
}

Groupment::~Groupment() = default;

QString Groupment::name() const
{
    Q_D(const Groupment);
    return d->name;
}

QString Groupment::groupName(const Record& record) const
{
    const std::unique_ptr<GroupmentTreeItem> item(createGroup(nullptr, groupKey(record), record));
    if (!item)
        return QString();
    item->addRecord(record);
    return item->groupName();
}

bool Groupment::keysAreRecordKeys() const
{
    return false;
}

GroupmentTreeItem* Groupment::createGroup(GroupmentTreeItem* parent, const QString& key, const Record&) const
{
    return new GroupmentTreeItem(key, parent);
}

int Groupment::keyParts() const
{
    return 1;
}
