#include "core/db/appsettings.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString& locationOverride()
{
    static QString directory;
    return directory;
}

} // namespace

namespace {
// The settings without a group name are the application's own file.
QString fileFor(const QString& name)
{
    QString base = name;
    if (base.isEmpty())
        base = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("terminal")
                                                             : QCoreApplication::applicationName();
    return QDir(AppSettings::location()).filePath(base + QStringLiteral(".ini"));
}
} // namespace

AppSettings::AppSettings(const QString& name)
    : m_settings(fileFor(name), QSettings::IniFormat)
{ }

void AppSettings::setLocation(const QString& directory)
{
    locationOverride() = directory;
}

QString AppSettings::location()
{
    if (!locationOverride().isEmpty())
        return locationOverride();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void AppSettings::sync()
{
    m_settings.sync();
}

QVariant AppSettings::readValue(const QString& fullKey) const
{
    return m_settings.value(fullKey);
}

void AppSettings::writeValue(const QString& fullKey, const QVariant& value)
{
    m_settings.setValue(fullKey, value);
}

void AppSettings::removeKeys(const QString& fullKey)
{
    m_settings.remove(fullKey);
}

QStringList AppSettings::storedKeys() const
{
    return m_settings.allKeys();
}
