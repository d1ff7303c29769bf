#pragma once

#include "core/db/decimal.h"
#include "core/db/recordupdater.h"
#include "core/host/securitykey.h"

#include <QHash>
#include <QString>

#include <cmath>

// Small pieces shared by the sample market's generators.
namespace GeneratorUtil {

// Each table draws from its own generator, so that tables come out the same whatever order they are made in.
inline quint32 tableSeed(quint32 seed, const QString& name)
{
    return seed ^ qHash(name, 0x5bd1e995u);
}

// The value rounded to the price step.
inline decimal onStep(double value, const decimal& step, int decimals)
{
    const double s = step.toDouble();
    return decimal::fromDouble(std::round(value / s) * s, decimals);
}

// A name marked with the edition of a reload (" #2"), cut to fit the column.
inline QString withEdition(const QString& text, int edition, int length)
{
    if (edition == 0)
        return text;
    const QString mark = QStringLiteral(" #%1").arg(edition);
    return text.left(qMax(0, length - mark.size())) + mark;
}

// The instrument a row names by its "stock_id", "board_id" and "sec_id".
inline SecurityKey securityKeyOf(const Record& row)
{
    return SecurityKey { row.data(QStringLiteral("stock_id")).toInteger(),
        row.data(QStringLiteral("board_id")).toInteger(), row.data(QStringLiteral("sec_id")).toInteger64() };
}

// Writes an instrument's key into the row's "stock_id", "board_id" and "sec_id".
inline void setSecurityKey(const RecordUpdater& row, const SecurityKey& key)
{
    row.data(QStringLiteral("stock_id")) = key.stock;
    row.data(QStringLiteral("board_id")) = key.board;
    row.data(QStringLiteral("sec_id")) = key.sec;
}

} // namespace GeneratorUtil
