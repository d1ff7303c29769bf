#pragma once

#include "columns/itemmodelwithdelegates.h"
#include "models/columntotalsmodel.h"

#include <QPointer>
#include <QTimer>
#include <QVector>

#include <memory>

class ColumnTotalsModelPrivate
{
public:
    QPointer<ItemModelWithDelegates> source;
    QList<int> summed;
    QVector<decimal> totals; // per source column
    QTimer timer;
    int interval = 200;
    qint64 costMs = 0; // the last sum afresh
    std::unique_ptr<ColumnTotalsModel::Follower> follower; // over a model of a table
    QVector<decimal> running; // per summed column, kept by the follower
    QList<int> fields; // per summed column, its table field
    bool exact = false; // whether `running` answers the source's rows
};
