#include "core/db/settings.h"

Settings::~Settings() = default;

QString Settings::currentPrefix() const
{
    QString prefix;
    for (const Frame& f : m_frames) {
        if (!f.prefix.isEmpty())
            prefix += f.prefix + QLatin1Char('/');
        if (f.isArray && f.index >= 0)
            prefix += QString::number(f.index + 1) + QLatin1Char('/');
    }
    return prefix;
}

QString Settings::fullKey(const QString& key) const
{
    QString k = key;
    while (k.startsWith(QLatin1Char('/')))
        k.remove(0, 1);
    return currentPrefix() + k;
}

QVariant Settings::value(const QString& key, const QVariant& defaultValue) const
{
    const QVariant v = readValue(fullKey(key));
    return v.isValid() ? v : defaultValue;
}

void Settings::setValue(const QString& key, const QVariant& value)
{
    if (!isWritable())
        throw tr("Настройки доступны только для чтения: '%1'").arg(fullKey(key));
    writeValue(fullKey(key), value);
}

bool Settings::contains(const QString& key) const
{
    return readValue(fullKey(key)).isValid();
}

void Settings::remove(const QString& key)
{
    if (!isWritable())
        throw tr("Настройки доступны только для чтения: '%1'").arg(fullKey(key));
    QString k = fullKey(key);
    if (k.endsWith(QLatin1Char('/')))
        k.chop(1);
    removeKeys(k);
}

void Settings::beginGroup(const QString& prefix)
{
    Frame f;
    f.prefix = prefix;
    while (f.prefix.endsWith(QLatin1Char('/')))
        f.prefix.chop(1);
    m_frames.append(f);
}

void Settings::endGroup()
{
    if (!m_frames.isEmpty() && !m_frames.last().isArray)
        m_frames.removeLast();
}

QString Settings::group() const
{
    QString prefix = currentPrefix();
    prefix.chop(1);
    return prefix;
}

QStringList Settings::allKeys() const
{
    const QString prefix = currentPrefix();
    QStringList keys;
    for (const QString& k : storedKeys()) {
        if (k.startsWith(prefix))
            keys << k.mid(prefix.size());
    }
    return keys;
}

QStringList Settings::childKeys() const
{
    QStringList keys;
    for (const QString& k : allKeys()) {
        if (!k.contains(QLatin1Char('/')))
            keys << k;
    }
    return keys;
}

QStringList Settings::childGroups() const
{
    QStringList groups;
    for (const QString& k : allKeys()) {
        const int slash = k.indexOf(QLatin1Char('/'));
        if (slash > 0 && !groups.contains(k.left(slash)))
            groups << k.left(slash);
    }
    return groups;
}

int Settings::beginReadArray(const QString& name)
{
    const int size = value(name + QStringLiteral("/size"), 0).toInt();
    Frame f;
    f.prefix = name;
    f.isArray = true;
    f.size = size;
    m_frames.append(f);
    return size;
}

void Settings::beginWriteArray(const QString& name, int size)
{
    Frame f;
    f.prefix = name;
    f.isArray = true;
    f.writing = true;
    f.size = size;
    m_frames.append(f);
}

void Settings::setArrayIndex(int i)
{
    if (m_frames.isEmpty() || !m_frames.last().isArray)
        return;
    Frame& f = m_frames.last();
    f.index = i;
    f.maxIndex = qMax(f.maxIndex, i);
}

void Settings::endArray()
{
    if (m_frames.isEmpty() || !m_frames.last().isArray)
        return;
    const Frame f = m_frames.takeLast();
    if (f.writing && isWritable())
        setValue(f.prefix + QStringLiteral("/size"), f.size >= 0 ? f.size : f.maxIndex + 1);
}

bool Settings::isWritable() const
{
    return true;
}

void Settings::sync() { }
