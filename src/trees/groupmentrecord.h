#pragma once

#include "trees/groupment.h"

class GroupmentRecordColumnsPrivate;

// The levels whose items hold records: normally the last level of a list, one leaf per record.

// One leaf per record, keyed by the record's key text.
class BASIC_VIEWS_EXPORT GroupmentRecord : public Groupment
{
public:
    explicit GroupmentRecord(const QString& name = QStringLiteral("GroupmentRecord"));

    QString groupKey(const Record& record) const override;
    // A RecordItem.
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
    bool keysAreRecordKeys() const override;

protected:
    GroupmentRecord(GroupmentPrivate& dd, const QString& name);
};

// One leaf per instrument.
class BASIC_VIEWS_EXPORT GroupmentSecurity : public GroupmentRecord
{
public:
    GroupmentSecurity();

    // A SecurityItem.
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
};

// Records with equal values in the columns share an item, which shows the first of them.
class BASIC_VIEWS_EXPORT GroupmentRecordColumns : public GroupmentRecord
{
    Q_DECLARE_PRIVATE(GroupmentRecordColumns)
public:
    explicit GroupmentRecordColumns(const QList<int>& columns);

    // The fields' texts joined with ",".
    QString groupKey(const Record& record) const override;
    bool keysAreRecordKeys() const override;
};
