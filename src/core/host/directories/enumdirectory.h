#pragma once

#include "core/db/fieldvalue.h"
#include "core/host/directories/tabledirectory.h"

#include <QHash>

class Field;

// An enumeration table (code, name, descr): the codes and their texts.
class BV_HOST_EXPORT EnumDirectory : public TableDirectory
{
    Q_OBJECT
public:
    // The codes in ascending order.
    QList<FieldValue> keys() const { return m_keys; }
    QString nameByKey(const Field& field) const;
    QString descrByKey(const Field& field) const;
    QString nameByKey(qint64 code) const { return m_texts.value(code).first; }
    QString descrByKey(qint64 code) const { return m_texts.value(code).second; }
    // The code a field holds: a character's code for character fields, the number otherwise.
    static qint64 codeOf(const Field& field);
    static qint64 codeOf(const FieldValue& value);

protected:
    explicit EnumDirectory(const QString& tableName);
    void reload(const Table* table) override;

private:
    QList<FieldValue> m_keys;
    QHash<qint64, QPair<QString, QString>> m_texts;
};
