#pragma once

#include "basic_views_export.h"
#include "core/db/datetime.h"
#include "core/host/filters/filterfunc.h"

// Passes records whose date-time column lies in [from, to).
class BASIC_VIEWS_EXPORT DateFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    DateFilterFunc(int column, const datetime& from, const datetime& to, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;

private:
    int m_column;
    datetime m_from;
    datetime m_to;
};
