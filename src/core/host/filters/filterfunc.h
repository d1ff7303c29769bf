#pragma once

#include "core/db/record.h"
#include "core/host/bv_host_export.h"

#include <QObject>

// A row predicate. Models call filter() from several threads at once, so it must only read.
class BV_HOST_EXPORT FilterFunc : public QObject
{
    Q_OBJECT
public:
    explicit FilterFunc(QObject* parent = nullptr);
    virtual bool filter(const Record& record) const = 0;
    // A short description for diagnostics.
    virtual QString toString() const;
    // Whether filter() may read a table field numbered first..last (-1 in either: any field). A batch that changes
    // only fields its model's predicate does not read leaves every record's answer as it was, and the model need
    // not ask again. True unless a predicate knows which fields it reads.
    virtual bool readsFields(int first, int last) const;
};
