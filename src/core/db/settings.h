#pragma once

#include "core/db/bv_db_export.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Keyed values with groups and arrays, the way QSettings arranges them ("group/key", arrays as "name/size" and
// "name/1/key"...), over a store that a subclass provides. Keys given to value()/setValue() are relative to the
// current group and array item.
class BV_DB_EXPORT Settings
{
    Q_DECLARE_TR_FUNCTIONS(Settings)
public:
    virtual ~Settings();

    QVariant value(const QString& key, const QVariant& defaultValue = QVariant()) const;
    // Throws a QString on a read-only store.
    void setValue(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;
    // Removes the key and everything below it; an empty key removes the current group.
    void remove(const QString& key);

    void beginGroup(const QString& prefix);
    void endGroup();
    QString group() const;

    // Keys and groups directly below the current group; all keys below it, relative to it.
    QStringList childKeys() const;
    QStringList childGroups() const;
    QStringList allKeys() const;

    int beginReadArray(const QString& name);
    // With size -1 the size written is one past the largest index set.
    void beginWriteArray(const QString& name, int size = -1);
    void setArrayIndex(int i);
    void endArray();

    virtual bool isWritable() const;
    virtual void sync();

protected:
    virtual QVariant readValue(const QString& fullKey) const = 0;
    virtual void writeValue(const QString& fullKey, const QVariant& value) = 0;
    // Removes fullKey and every key below it.
    virtual void removeKeys(const QString& fullKey) = 0;
    // Every full key of the store.
    virtual QStringList storedKeys() const = 0;

private:
    struct Frame
    {
        QString prefix; // the frame's own path, relative to the frame before
        bool isArray = false;
        bool writing = false;
        int size = -1;
        int index = -1;
        int maxIndex = -1;
    };
    QString fullKey(const QString& key) const;
    QString currentPrefix() const;

    QVector<Frame> m_frames;
};
