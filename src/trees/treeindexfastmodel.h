#pragma once

#include "trees/treeindexmodel.h"

class TreeIndexFastModelPrivate;

// A tree model that reports a large batch as one model reset: above the threshold, thousands of row signals
// cost a view more than one fresh look at the tree. The threshold is the setting "TreeIndexFastModelBatch" of
// the application settings group "Database" (500 by default; 0 or less: never).
class BASIC_VIEWS_EXPORT TreeIndexFastModel : public TreeIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TreeIndexFastModel)
public:
    explicit TreeIndexFastModel(Table* table, QObject* parent = nullptr);

    int batchThreshold() const;
    void setBatchThreshold(int threshold);

    // One reset when any of the lists is longer than the threshold; item signals otherwise.
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override;
    QString getClassName() const override;
};
