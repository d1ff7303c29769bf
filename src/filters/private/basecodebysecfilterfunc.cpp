#include "filters/private/basecodebysecfilterfunc.h"

#include "core/host/directories/securitydirectory.h"

BaseCodeBySecFilterFunc::BaseCodeBySecFilterFunc(
    int stockColumn, int boardColumn, int secColumn, const QStringList& baseCodes, QObject* parent)
    : FilterFunc(parent)
    , m_stock(stockColumn)
    , m_board(boardColumn)
    , m_sec(secColumn)
    , m_baseCodes(baseCodes)
    , m_securities(SecurityDirectory::i())
{ }

bool BaseCodeBySecFilterFunc::filter(const Record& record) const
{
    return m_baseCodes.contains(m_securities->baseById(
        record.data(m_stock).toInteger(), record.data(m_board).toInteger(), record.data(m_sec).toInteger64()));
}

QString BaseCodeBySecFilterFunc::toString() const
{
    return QStringLiteral("BaseCodeBySecFilterFunc[%1]").arg(m_baseCodes.join(QLatin1Char('|')));
}
