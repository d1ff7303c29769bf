#pragma once

#include "trees/private/groupment_p.h"
#include "trees/private/treeindexmodel_p.h"
#include "trees/treegroupsmodel.h"

class GroupmentGroupPrivate : public GroupmentPrivate
{
public:
    const TreeGroupsModel* model = nullptr; // not owned
    QVector<int> columns;
};

class GroupmentElementsPrivate : public GroupmentPrivate
{
public:
    const TreeGroupsModel* model = nullptr; // not owned
};

class TreeGroupsModelPrivate : public TreeIndexModelPrivate
{
public:
    QList<TreeGroupsModel::SortColumn> sortColumns;
    QVector<TreeGroupsModel::Group> groups;
};
