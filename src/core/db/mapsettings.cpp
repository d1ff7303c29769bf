#include "core/db/mapsettings.h"

MapSettings::MapSettings(const QMap<QString, QVariant>& values, bool readOnly)
    : m_values(values)
    , m_readOnly(readOnly)
{ }

void MapSettings::store(Settings& target, const QString& prefix) const
{
    const QString base = prefix.isEmpty() ? QString() : prefix + QLatin1Char('/');
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        target.setValue(base + it.key(), it.value());
}

void MapSettings::restore(const Settings& source, const QString& prefix)
{
    m_values.clear();
    const QString base = prefix.isEmpty() ? QString() : prefix + QLatin1Char('/');
    for (const QString& key : source.allKeys()) {
        if (key.startsWith(base))
            m_values.insert(key.mid(base.size()), source.value(key));
    }
}

QVariant MapSettings::readValue(const QString& fullKey) const
{
    return m_values.value(fullKey);
}

void MapSettings::writeValue(const QString& fullKey, const QVariant& value)
{
    m_values.insert(fullKey, value);
}

void MapSettings::removeKeys(const QString& fullKey)
{
    if (fullKey.isEmpty()) {
        m_values.clear();
        return;
    }
    const QString below = fullKey + QLatin1Char('/');
    for (auto it = m_values.begin(); it != m_values.end();) {
        if (it.key() == fullKey || it.key().startsWith(below))
            it = m_values.erase(it);
        else
            ++it;
    }
}

QStringList MapSettings::storedKeys() const
{
    return m_values.keys();
}
