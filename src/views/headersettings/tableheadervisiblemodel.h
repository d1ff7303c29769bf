#pragma once

#include "basic_views_export.h"

#include <QSortFilterProxyModel>

class TableHeaderModel;

// The checked columns of a column list, in its order and without check boxes: the columns the window shows.
class BASIC_VIEWS_EXPORT TableHeaderVisibleModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit TableHeaderVisibleModel(TableHeaderModel* source, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};
