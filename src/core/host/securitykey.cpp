#include "core/host/securitykey.h"

#include <QStringList>

QString SecurityKey::textId() const
{
    return QStringLiteral("%1:%2:%3").arg(stock).arg(board).arg(sec);
}

SecurityKey SecurityKey::fromTextId(const QString& textId)
{
    const QStringList parts = textId.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 3)
        return SecurityKey();
    bool ok[3];
    SecurityKey key { parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toLongLong(&ok[2]) };
    return ok[0] && ok[1] && ok[2] && key.isValid() ? key : SecurityKey();
}
