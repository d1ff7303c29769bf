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
};
