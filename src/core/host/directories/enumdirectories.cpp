#include "core/host/directories/enumdirectories.h"

StatusDirectory::StatusDirectory()
    : EnumDirectory(QStringLiteral("status"))
{ }

SecStateDirectory::SecStateDirectory()
    : EnumDirectory(QStringLiteral("sec_state"))
{ }

SecTypeDirectory::SecTypeDirectory()
    : EnumDirectory(QStringLiteral("sec_type"))
{ }

SessStateDirectory::SessStateDirectory()
    : EnumDirectory(QStringLiteral("sess_state"))
{ }

PriceDirectionDirectory::PriceDirectionDirectory()
    : EnumDirectory(QStringLiteral("price_dir"))
{ }

OptioTypeDirectory::OptioTypeDirectory()
    : EnumDirectory(QStringLiteral("opt_type"))
{ }

OptioCalcDirectory::OptioCalcDirectory()
    : EnumDirectory(QStringLiteral("opt_calc"))
{ }

BuySellDirectory::BuySellDirectory()
    : EnumDirectory(QStringLiteral("buysell"))
{ }

QList<QChar> BuySellDirectory::ids() const
{
    QList<QChar> sides;
    for (const FieldValue& key : keys())
        sides << key.toChar();
    return sides;
}
