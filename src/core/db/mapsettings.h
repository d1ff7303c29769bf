#pragma once

#include "core/db/settings.h"

#include <QMap>

// Settings held in memory: a window's values gathered before they are written, or defaults read once.
// store() writes them into another Settings under a prefix of its current group; restore() reads them back.
class BV_DB_EXPORT MapSettings : public Settings
{
public:
    MapSettings() = default;
    explicit MapSettings(const QMap<QString, QVariant>& values, bool readOnly = false);

    const QMap<QString, QVariant>& values() const { return m_values; }
    void store(Settings& target, const QString& prefix) const;
    // Replaces every value with those found under `prefix` of `source`'s current group.
    void restore(const Settings& source, const QString& prefix);
    void clear() { m_values.clear(); }
    bool isWritable() const override { return !m_readOnly; }

protected:
    QVariant readValue(const QString& fullKey) const override;
    void writeValue(const QString& fullKey, const QVariant& value) override;
    void removeKeys(const QString& fullKey) override;
    QStringList storedKeys() const override;

private:
    QMap<QString, QVariant> m_values;
    bool m_readOnly = false;
};
