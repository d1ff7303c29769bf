#pragma once

#include "trees/groupmenttreeitem.h"

// An item that shows a record: a leaf of the tree, or a group that shows the first record it took. The records
// it takes after the first wait in records(), so that the next one is shown when the shown one leaves.
class BASIC_VIEWS_EXPORT RecordItem : public GroupmentTreeItem
{
public:
    RecordItem(const QString& key, GroupmentTreeItem* parent);
    RecordItem(const QString& key, const QString& name, GroupmentTreeItem* parent);

    // True when the item held no record and now shows this one.
    bool addRecord(const Record& record) override;
    // True when the shown record left (the next waiting one, if any, is shown instead).
    bool removeRecord(const Record& record) override;
    // True for the shown record.
    bool updateRecord(const Record& record, int first, int last) override;
    // The group key for GroupKeyRole, the model's cells of the shown record otherwise.
    QVariant data(int column, int role) const override;
};

// A leaf or group of the instruments table.
class BASIC_VIEWS_EXPORT SecurityItem : public RecordItem
{
public:
    using RecordItem::RecordItem;
};
