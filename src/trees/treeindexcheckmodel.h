#pragma once

#include "trees/treeindexmodelwithtextfilter.h"

class RecordCheckList;
class TreeIndexCheckModelPrivate;

// A tree with a check box in column 0 of every item: a record is checked while the external check list holds
// it (the list is the only truth; the tree mirrors it), a group is checked when all its children are, partly
// checked when some are. Checking a group checks its whole subtree.
class BASIC_VIEWS_EXPORT TreeIndexCheckModel : public TreeIndexModelWithTextFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TreeIndexCheckModel)
public:
    explicit TreeIndexCheckModel(Table* table, QObject* parent = nullptr);

    // Not owned. One model reset; afterwards the tree follows the list's changes.
    void setCheckModel(RecordCheckList* list);
    RecordCheckList* checkModel() const;
    bool setChecked(bool checked, const QModelIndex& index);
    bool isChecked(const QModelIndex& index) const;
    bool isCheckable(const QModelIndex& index) const;
    // While set, only checked records are shown; a change rebuilds the model.
    void hideUncheckedRows(bool hide);
    // Children of the root: checked, not checked, all.
    int checkedCount() const;
    int uncheckedCount() const;
    int totalCount() const;

    bool filter(const Record& record) const override;
    QString getClassName() const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Qt::CheckStateRole on column 0: a group passes the state to every child.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // For users of the model; the model itself does not emit it.
    void rowCheckedChanged();

protected:
    void childrenInserted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& items) override;
    void childrenRemoved(GroupmentTreeItem* parent, int row, const QVector<GroupmentTreeItem*>& items) override;

private:
    bool isLeaf(const GroupmentTreeItem* item) const;
    // The item takes the state; its parent's counts and state follow, up to the root.
    void applyState(GroupmentTreeItem* item, Qt::CheckState state);
    void setLevelChecked(GroupmentTreeItem* item, Qt::CheckState state);
    // Leaves from the list, groups from their children; no signal.
    void recount(GroupmentTreeItem* item);
    void onListChanged(const Record& record);
};
