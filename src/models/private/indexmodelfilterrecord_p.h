#pragma once

#include "models/indexmodelfilterrecord.h"
#include "models/private/tableindexmodel_p.h"

class IndexModelFilterRecordPrivate : public TableIndexModelPrivate
{
    Q_DECLARE_PUBLIC(IndexModelFilterRecord)
public:
    QVector<IndexModelFilterRecord::Entry> sorted; // by key
    bool filterEnabled = false;
    QStringList filterRows;
};
