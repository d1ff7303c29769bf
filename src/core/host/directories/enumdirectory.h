#pragma once

#include "core/db/fieldvalue.h"
#include "core/host/directories/tabledirectory.h"

#include <QHash>

class Field;

// An enumeration table (code, name, descr): the codes and their texts. The table's texts are Russian source texts
// (context "EnumDirectory"): the directory gives them in the application's language, and on a language change
// translates them again and emits dataChanged().
class BV_HOST_EXPORT EnumDirectory : public TableDirectory
{
    Q_OBJECT
public:
    // The codes in ascending order.
    QList<FieldValue> keys() const { return m_keys; }
    QString nameByKey(const Field& field) const;
    QString descrByKey(const Field& field) const;
    // Only the asked text is copied, not both.
    QString nameByKey(qint64 code) const
    {
        const auto it = m_texts.constFind(code);
        return it == m_texts.constEnd() ? QString() : it->first;
    }
    QString descrByKey(qint64 code) const
    {
        const auto it = m_texts.constFind(code);
        return it == m_texts.constEnd() ? QString() : it->second;
    }
    // The code a field holds: a character's code for character fields, the number otherwise.
    static qint64 codeOf(const Field& field);
    static qint64 codeOf(const FieldValue& value);

    ~EnumDirectory() override;

protected:
    explicit EnumDirectory(const QString& tableName);
    void reload(const Table* table) override;

private:
    friend class LanguageWatch;
    void translate();
    void retranslate();

    QList<FieldValue> m_keys;
    QHash<qint64, QPair<QString, QString>> m_sources; // as the table has them
    QHash<qint64, QPair<QString, QString>> m_texts; // as shown
};
