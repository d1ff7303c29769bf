#include "tablefile.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

namespace {

const QString TableKey = QStringLiteral("table");
const QString FormatKey = QStringLiteral("format");
const QString RecordsKey = QStringLiteral("records");
const int Format = 1;

} // namespace

TableFile::TableFile(Table* table, const QString& path)
    : m_table(table)
    , m_path(path)
{ }

bool TableFile::read(QString* error) const
{
    QFile file(m_path);
    if (!file.exists() || !m_table)
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("файл не читается: %1").arg(file.errorString());
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    const QJsonObject root = document.object();
    if (parse.error != QJsonParseError::NoError) {
        *error = tr("файл повреждён: %1").arg(parse.errorString());
        return false;
    }
    if (root.value(TableKey).toString() != m_table->name() || root.value(FormatKey).toInt() != Format
        || !root.value(RecordsKey).isArray()) {
        *error = tr("это не файл таблицы «%1»").arg(m_table->name());
        return false;
    }
    QList<Record> records;
    QSet<QString> keys;
    const QJsonArray stored = root.value(RecordsKey).toArray();
    for (int n = 0; n < stored.size(); ++n) {
        const QJsonObject fields = stored.at(n).toObject();
        Record r(m_table);
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            const int column = m_table->columnIndex(it.key());
            if (column < 0) {
                *error = tr("в записи %1 неизвестный столбец «%2»").arg(n + 1).arg(it.key());
                return false;
            }
            try {
                r.data(column) = it.value().toString();
            } catch (const QString& reason) {
                *error = tr("запись %1: %2").arg(n + 1).arg(reason);
                return false;
            }
        }
        const QString key = m_table->keyText(r);
        if (keys.contains(key)) {
            *error = tr("запись %1 повторяет ключ %2").arg(n + 1).arg(key);
            return false;
        }
        keys.insert(key);
        records << r;
    }
    TableUpdater updater(m_table);
    m_table->clear();
    m_table->appendList(records);
    return true;
}

bool TableFile::write(QString* error) const
{
    if (!m_table) {
        *error = tr("таблицы больше нет");
        return false;
    }
    QJsonArray records;
    for (const Record& r : *m_table->masterIndex()) {
        QJsonObject fields;
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const Field field = r.data(column);
            if (field.hasValue())
                fields.insert(m_table->columnName(column), field.toString());
        }
        records.append(fields);
    }
    const QJsonObject root { { TableKey, m_table->name() }, { FormatKey, Format }, { RecordsKey, records } };
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    const QByteArray bytes = QJsonDocument(root).toJson();
    // A buffered write can fail only when flushed, and commit() would still put the short file in place.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    *error = tr("файл %1 не записан: %2").arg(m_path, file.errorString());
    file.cancelWriting();
    return false;
}
