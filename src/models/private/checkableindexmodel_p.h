#pragma once

#include "models/checkableindexmodel.h"
#include "models/private/tableindexmodel_p.h"

#include <QHash>

class CheckableIndexModelPrivate : public TableIndexModelPrivate
{
    Q_DECLARE_PUBLIC(CheckableIndexModel)
public:
    QVector<Qt::CheckState> states; // one per row, in row order
    Qt::CheckState initial = Qt::Unchecked;
    int column = -1;
    QHash<Record, Qt::CheckState> statesDuringLayout;
};
