#include "filters/private/techdealsfilterfunc.h"

namespace {
const qint64 TechnicalSigns = 0x100a0; // execution (bit 5), expiration (bit 7), position transfer (bit 16)
const qint64 CombinedSign = qint64(1) << 27;
} // namespace

TechDealsFilterFunc::TechDealsFilterFunc(int signsColumn, int stockColumn, int boardColumn, int mode, QObject* parent)
    : FilterFunc(parent)
    , m_signs(signsColumn)
    , m_stock(stockColumn)
    , m_board(boardColumn)
    , m_mode(mode)
{ }

bool TechDealsFilterFunc::isTechnical(const Record& record) const
{
    const qint64 signs = record.data(m_signs).rawInt64();
    if (signs & TechnicalSigns)
        return true;
    if (!(signs & CombinedSign))
        return false;
    // A combined deal is the deal itself on the combined-instrument boards, a technical part elsewhere.
    return !isBundleBoard(record.data(m_stock).toInteger(), record.data(m_board).toInteger());
}

bool TechDealsFilterFunc::filter(const Record& record) const
{
    switch (m_mode) {
    case TechnicalOnly:
        return isTechnical(record);
    case NonTechnicalOnly:
        return !isTechnical(record);
    default:
        return true;
    }
}

QString TechDealsFilterFunc::toString() const
{
    return QStringLiteral("TechDealsFilterFunc[%1]").arg(m_mode);
}
