#pragma once

#include "trees/treegroupsmodel.h"

#include <QAbstractItemModelTester>

// Orders under groups of their raw fields, with the tree's column 0 in front. Elements own the columns from
// `firstElementColumn` on; the columns before belong to the group rows.
class OrderGroupsModel : public TreeGroupsModel
{
public:
    explicit OrderGroupsModel(Table* table, int firstElementColumn = 1)
        : TreeGroupsModel(table)
        , firstElement(firstElementColumn)
    {
        insertTreeColumn();
    }
    QPair<int, int> elementColumnRange() const override { return { firstElement, columnCount() - 1 }; }

    // Groups by the named fields per level, elements by (field, order) pairs; builds under the model tester.
    void arrange(const QList<QStringList>& groups, const QList<QPair<QString, Qt::SortOrder>>& sorts)
    {
        define(groups, sorts);
        levels = createGroupments();
        QList<Groupment*> list;
        for (const auto& level : levels)
            list << level.get();
        setGroupmentList(list);
        new QAbstractItemModelTester(this, QAbstractItemModelTester::FailureReportingMode::Fatal, this);
        rebuild();
    }
    // The groups and sort columns only, for a view to make the levels and build.
    void define(const QList<QStringList>& groups, const QList<QPair<QString, Qt::SortOrder>>& sorts)
    {
        for (int i = 0; i < groups.size(); ++i) {
            QVector<int> columns;
            for (const QString& name : groups.at(i))
                columns << columnIndex(name);
            setGroup(i, columns, groups.at(i).join(QLatin1Char('+')));
        }
        for (const auto& sort : sorts)
            addSortColumn({ columnIndex(sort.first), sort.second });
    }
    std::vector<std::unique_ptr<Groupment>> levels;
    int firstElement;
};
