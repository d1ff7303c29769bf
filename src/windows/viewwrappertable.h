#pragma once

#include "windows/viewwrapper.h"

// The wrapper of a table view: the columns are the model's, the visible ones those the header shows, in its
// visual order. Columns the model keeps for itself are never exported.
class BASIC_VIEWS_EXPORT ViewWrapperTable : public ViewWrapper
{
    Q_OBJECT
public:
    // A QTableFastView or a QTableView; their horizontal header is followed.
    ViewWrapperTable(IView* view, QAbstractItemView* itemView);

    static QList<int> columnsAllTable(const QAbstractItemModel* model);
    static QList<int> columnsVisibleTable(const QAbstractItemModel* model, const QHeaderView* header);

    QList<int> columnsAll(const QAbstractItemModel* model) const override;
    QList<int> columnsVisible(const QAbstractItemModel* model, const QHeaderView* header) const override;
};
