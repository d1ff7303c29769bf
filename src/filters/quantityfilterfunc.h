#pragma once

#include "basic_views_export.h"
#include "core/db/index.h"
#include "core/host/filters/filterfunc.h"

// Passes records whose column, as a 64-bit integer, is at least the minimum.
class BASIC_VIEWS_EXPORT QuantityFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    QuantityFilterFunc(int column, qint64 minimum, QObject* parent = nullptr);
    bool filter(const Record& record) const override { return record.data(m_column).toInteger64() >= m_minimum; }
    QString toString() const override;
    bool readsFields(int first, int last) const override { return Index::touches({ m_column }, first, last); }

private:
    int m_column;
    qint64 m_minimum;
};
