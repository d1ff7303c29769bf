#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QList>
#include <QScopedPointer>
#include <QString>

class GroupmentPrivate;
class GroupmentTreeItem;

// One level of grouping of a tree model: the key of a record's group on that level, and the item that stands
// for a new group. The last level of a list makes the leaves that hold the records. Groupments are values made
// by the owner of a model and outlive it; they are only read while the model works.
class BASIC_VIEWS_EXPORT Groupment
{
    Q_DECLARE_PRIVATE(Groupment)
public:
    explicit Groupment(const QString& name);
    virtual ~Groupment();

    virtual QString groupKey(const Record& record) const = 0;
    // The name the record's group shows; by default a temporary group item's name.
    virtual QString groupName(const Record& record) const;
    // A new group under `parent` (null for a temporary item); by default a plain named-by-key item.
    virtual GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const;
    // True when every record is an item of its own whose key is the record's key, which never changes: the
    // model then neither asks for these keys nor keeps these items in a lookup by key (createGroup() gets an
    // empty key), which spares a string and a hash entry per record. False by default.
    virtual bool keysAreRecordKeys() const;
    // How many ","-separated parts a key of this level has, so that a path of keys joined with "," splits
    // again into its levels' keys. 1 by default.
    virtual int keyParts() const;

    QString name() const;

protected:
    Groupment(GroupmentPrivate& dd, const QString& name);

    // The groupments' private classes form a chain beside the public ones.
    QScopedPointer<GroupmentPrivate> d_ptr;

private:
    Q_DISABLE_COPY(Groupment)
};

// A named list of grouping levels, offered to the user as one choice.
struct BASIC_VIEWS_EXPORT GroupmentsList
{
    QString name;
    QList<Groupment*> groupments; // not owned
};
