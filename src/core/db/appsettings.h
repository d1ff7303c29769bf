#pragma once

#include "core/db/settings.h"

#include <QSettings>

// The application's settings group `name`, kept in the INI file "<location>/<name>.ini"; an empty name is the
// application's own file.
// The location defaults to the user's configuration folder and can be moved (tests use a temporary folder).
class BV_DB_EXPORT AppSettings : public Settings
{
public:
    explicit AppSettings(const QString& name);

    static void setLocation(const QString& directory);
    static QString location();
    QString fileName() const { return m_settings.fileName(); }
    // Whether the file could be read (a damaged file reads as a format error) or written.
    QSettings::Status status() const { return m_settings.status(); }
    void sync() override;

protected:
    QVariant readValue(const QString& fullKey) const override;
    void writeValue(const QString& fullKey, const QVariant& value) override;
    void removeKeys(const QString& fullKey) override;
    QStringList storedKeys() const override;

private:
    mutable QSettings m_settings;
};
