#pragma once

#include "windows/viewwrapper.h"

// The wrapper of a table view: all columns are the model's, internal ones included (their values are the
// model's too); the visible ones are those the header shows, in its visual order, which never holds an internal
// column.
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
