#include "export/importertargets.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "export/fileimporterconvertor.h"

ImporterTargets ImporterTargets::from(const Table* table, FileImporterConvertor* convertor)
{
    ImporterTargets targets;
    auto add = [&](const QStringList& names, Kind kind) {
        for (const QString& name : names) {
            const bool known = std::any_of(
                targets.m_entries.cbegin(), targets.m_entries.cend(), [&](const Entry& e) { return e.name == name; });
            if (known)
                continue;
            const int column = table->columnIndex(name);
            Entry entry { name, column < 0 ? name : HostSchema::text(table->columnTitle(column)),
                column < 0 ? QString() : HostSchema::text(table->columnDescription(column)), kind,
                convertor->getColAliases(name) };
            // A file whose titles were written in the language the terminal speaks names its columns as well as
            // one with the source titles.
            for (const QString& alias : QStringList(entry.aliases)) {
                const QString shown = HostSchema::text(alias);
                if (!entry.aliases.contains(shown))
                    entry.aliases << shown;
            }
            if (entry.title.isEmpty())
                entry.title = name;
            targets.m_entries << entry;
        }
    };
    add(table->masterIndex()->columnNames(), convertor->isMasterColumnsMandatory() ? Required : Optional);
    add(convertor->colsMandatory(), Required);
    add(convertor->colsOptional(), Optional);
    return targets;
}

QString ImporterTargets::find(const QString& text) const
{
    for (const Entry& e : m_entries) {
        if (e.name == text)
            return e.name;
    }
    for (const Entry& e : m_entries) {
        if (e.aliases.contains(text))
            return e.name;
    }
    return QString();
}

QStringList ImporterTargets::required() const
{
    QStringList names;
    for (const Entry& e : m_entries) {
        if (e.kind == Required)
            names << e.name;
    }
    return names;
}

QString ImporterTargets::title(const QString& name) const
{
    for (const Entry& e : m_entries) {
        if (e.name == name)
            return e.title;
    }
    return name;
}
