#pragma once

#include "trees/private/treeindexmodel_p.h"
#include "trees/treegroupsmodel.h"

class TreeGroupsModelPrivate : public TreeIndexModelPrivate
{
public:
    QList<TreeGroupsModel::SortColumn> sortColumns;
    QVector<TreeGroupsModel::Group> groups;
};
