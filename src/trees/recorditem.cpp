#include "trees/recorditem.h"

#include "columns/itemroles.h"
#include "trees/treeindexmodel.h"

// A tree holds one per record: keep it within malloc's 64-byte block.
static_assert(sizeof(void*) != 8 || sizeof(RecordItem) <= 56, "a leaf outgrew its heap block");

RecordItem::RecordItem(const QString& key, GroupmentTreeItem* parent)
    : GroupmentTreeItem(key, parent)
{ }

RecordItem::RecordItem(const QString& key, const QString& name, GroupmentTreeItem* parent)
    : GroupmentTreeItem(key, name, parent)
{ }

bool RecordItem::addRecord(const Record& record)
{
    if (m_record.isNull()) {
        m_record = record;
        return true;
    }
    if (record != m_record)
        appendRecord(record);
    return false;
}

bool RecordItem::removeRecord(const Record& record)
{
    if (record != m_record) {
        removeFurtherRecord(record);
        return false;
    }
    m_record = takeFurtherRecord();
    return true;
}

bool RecordItem::updateRecord(const Record& record, int, int)
{
    return record == m_record;
}

QVariant RecordItem::data(int column, int role) const
{
    if (role == GroupKeyRole)
        return groupKey();
    if (m_record.isNull() || !model())
        return QVariant();
    return model()->dataByRecord(m_record, column, role);
}
