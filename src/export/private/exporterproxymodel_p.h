#pragma once

#include "export/exporterproxymodel.h"

class ExporterProxyModelPrivate
{
public:
    QPointer<const QAbstractItemModel> source;
    const ItemModelWithDelegates* records = nullptr; // the source as a record model, if it is one; not owned
    QList<int> columns;
    QVector<Record> snapshot;
    int sourceColumns = 0; // the source's columns while exporting
    bool exporting = false;
    bool resetting = false;
};
