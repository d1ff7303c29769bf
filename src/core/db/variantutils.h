#pragma once

#include "core/db/bv_db_export.h"

#include <QVariant>

// Order of two variants as a table column sorts them: empty first, then numbers by value (decimals exactly),
// date-times by time, texts by `cs`. Negative, zero or positive.
BV_DB_EXPORT int variant_compare(const QVariant& a, const QVariant& b, Qt::CaseSensitivity cs = Qt::CaseSensitive);

// `value` converted to the meta-type `typeId` (decimals, date-times and the Qt types); an invalid variant when
// it does not convert.
BV_DB_EXPORT QVariant variant_convert(const QVariant& value, int typeId);

// True for doubles equal within the precision of a double, including values near zero.
BV_DB_EXPORT bool commonFuzzyCompare(double a, double b);
