#include "export/importertargets.h"
#include "export/private/importertargets_p.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "export/fileimporterconvertor.h"

ImporterTargets::ImporterTargets()
    : d_ptr(new ImporterTargetsPrivate)
{ }

ImporterTargets::ImporterTargets(const ImporterTargets& other)
    : d_ptr(new ImporterTargetsPrivate(*other.d_ptr))
{ }

ImporterTargets& ImporterTargets::operator=(const ImporterTargets& other)
{
    *d_ptr = *other.d_ptr;
    return *this;
}

ImporterTargets::~ImporterTargets() = default;

ImporterTargets ImporterTargets::from(const Table* table, FileImporterConvertor* convertor)
{
    ImporterTargets targets;
    auto add = [&](const QStringList& names, Kind kind) {
        for (const QString& name : names) {
            const bool known = std::any_of(targets.d_func()->entries.cbegin(), targets.d_func()->entries.cend(),
                [&](const Entry& e) { return e.name == name; });
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
            targets.d_func()->entries << entry;
        }
    };
    add(table->masterIndex()->columnNames(), convertor->isMasterColumnsMandatory() ? Required : Optional);
    add(convertor->colsMandatory(), Required);
    add(convertor->colsOptional(), Optional);
    return targets;
}

QString ImporterTargets::find(const QString& text) const
{
    Q_D(const ImporterTargets);
    for (const Entry& e : d->entries) {
        if (e.name == text)
            return e.name;
    }
    for (const Entry& e : d->entries) {
        if (e.aliases.contains(text))
            return e.name;
    }
    return QString();
}

QStringList ImporterTargets::required() const
{
    Q_D(const ImporterTargets);
    QStringList names;
    for (const Entry& e : d->entries) {
        if (e.kind == Required)
            names << e.name;
    }
    return names;
}

QString ImporterTargets::title(const QString& name) const
{
    Q_D(const ImporterTargets);
    for (const Entry& e : d->entries) {
        if (e.name == name)
            return e.title;
    }
    return name;
}

const QList<ImporterTargets::Entry>& ImporterTargets::entries() const
{
    return d_func()->entries;
}
