#include "importrun.h"

#include "export/csvhandlerimporter.h"
#include "export/fileimporter.h"
#include "export/importertargets.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

ImportRun::ImportRun(Table* table, FileImporterConvertor* convertor)
    : m_table(table)
    , m_convertor(convertor)
{ }

int ImportRun::run(const QString& path, const QStringList& maps, QTextStream& out, QTextStream& err)
{
    // The header line, read as the import will read it.
    QStringList header;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        CSVHandlerImporter reader;
        QList<QVariant> values;
        if (reader.begin(&file, {}) && reader.readNext(values)) {
            for (const QVariant& v : qAsConst(values))
                header << v.toString();
        }
        reader.end();
        file.close();
    }
    const ImporterTargets targets = ImporterTargets::from(m_table, m_convertor);
    QMap<QString, int> mapping;
    for (int field = 0; field < header.size(); ++field) {
        const QString column = targets.find(header.at(field));
        if (!column.isEmpty() && !mapping.contains(column))
            mapping.insert(column, field);
    }
    for (const QString& map : maps) {
        const int equals = map.indexOf(QLatin1Char('='));
        const QString column = map.left(equals);
        const QString field = map.mid(equals + 1);
        bool known = false;
        for (const ImporterTargets::Entry& entry : targets.entries())
            known = known || entry.name == column;
        if (equals <= 0 || !known) {
            err << "bad --map " << map << ": COLUMN=FIELD with COLUMN one of the table's importable columns\n";
            return Usage;
        }
        if (field.isEmpty()) {
            mapping.remove(column);
            continue;
        }
        bool isNumber = false;
        const int position = header.contains(field) ? header.indexOf(field) : field.toInt(&isNumber);
        if (!header.contains(field) && (!isNumber || position < 0)) {
            err << "bad --map " << map << ": no field " << field << " in the header\n";
            return Usage;
        }
        mapping.insert(column, position);
    }

    FileImporter::Result result;
    FileImporter::instance()->importData(
        result, QFileInfo(path), m_table, m_convertor, mapping, { { QStringLiteral("FirstLineIsHeader"), true } });
    for (const QString& line : qAsConst(result.summary))
        out << line << '\n';
    for (const QString& line : qAsConst(result.messages))
        out << line << '\n';
    out.flush();
    return result.complete && result.partial == 0 && result.skipped == 0 ? Imported : NotAll;
}
