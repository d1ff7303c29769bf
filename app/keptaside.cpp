#include "keptaside.h"

#include <QDateTime>
#include <QFile>

QString keepAside(const QString& fileName)
{
    const QString aside = fileName + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QFile::remove(aside);
    return QFile::rename(fileName, aside) ? aside : QString();
}
