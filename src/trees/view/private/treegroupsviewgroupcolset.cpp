#include "trees/view/private/treegroupsviewgroupcolset.h"

#include "columns/itemroles.h"
#include "core/db/mapsettings.h"
#include "trees/treegroupsmodel.h"
#include "views/headersettings/tableheadermodel.h"

#include <QHeaderView>

namespace {

const QString AllColumnsKey = QStringLiteral("all_columns");

} // namespace

TreeGroupsViewGroupColSet::~TreeGroupsViewGroupColSet() = default;

void TreeGroupsViewGroupColSet::reset(const TreeGroupsModel* model)
{
    m_model = model;
    m_levels.clear();
    if (!model)
        return;
    for (int level = 0; level < model->groupCount(); ++level) {
        QVector<Column> columns;
        const QVector<int> own = model->group(level).columns;
        for (int column : own)
            columns.append({ column, true, 0 });
        for (int column = 0; column < model->columnCount(); ++column) {
            if (filterColumn(column) && !own.contains(column))
                columns.append({ column, false, 0 });
        }
        m_levels.append(columns);
    }
}

QVector<TreeGroupsViewGroupColSet::Column> TreeGroupsViewGroupColSet::visibleColumns(int level) const
{
    QVector<Column> shown;
    for (const Column& c : m_levels.value(level)) {
        if (c.visible)
            shown.append(c);
    }
    return shown;
}

TreeGroupsViewGroupColSet::Column* TreeGroupsViewGroupColSet::column(int level, int column)
{
    if (level < 0 || level >= m_levels.size())
        return nullptr;
    for (Column& c : m_levels[level]) {
        if (c.column == column)
            return &c;
    }
    return nullptr;
}

bool TreeGroupsViewGroupColSet::filterColumn(int column) const
{
    return m_model && column > 0 && column < m_model->columnCount()
        && !m_model->headerData(column, Qt::Horizontal, ColumnHiddenRole).toBool();
}

QString TreeGroupsViewGroupColSet::nameOf(int column) const
{
    return m_model ? m_model->headerData(column, Qt::Horizontal, ColumnNameRole).toString() : QString();
}

QVector<TreeGroupsViewGroupColSet::Column> TreeGroupsViewGroupColSet::readLevel(
    const Settings& settings, const QVector<Column>& defaults) const
{
    if (!settings.contains(AllColumnsKey))
        return defaults;
    QVector<Column> columns;
    const QString prefix = QStringLiteral("Columns/");
    for (const QString& name : settings.value(AllColumnsKey).toStringList()) {
        const int column = m_model->columnIndex(name);
        if (!filterColumn(column))
            continue;
        const bool listed
            = std::any_of(columns.cbegin(), columns.cend(), [column](const Column& c) { return c.column == column; });
        if (listed)
            continue;
        columns.append({ column, settings.value(prefix + name + QStringLiteral(".visible"), false).toBool(),
            qMax(0, settings.value(prefix + name + QStringLiteral(".width"), 0).toInt()) });
    }
    // Columns the model gained since the layout was stored follow, hidden.
    for (const Column& c : defaults) {
        const bool listed = std::any_of(
            columns.cbegin(), columns.cend(), [&c](const Column& known) { return known.column == c.column; });
        if (!listed)
            columns.append({ c.column, false, 0 });
    }
    return columns;
}

void TreeGroupsViewGroupColSet::writeLevel(Settings& settings, const QVector<Column>& columns) const
{
    QStringList names;
    settings.beginGroup(QStringLiteral("Columns"));
    for (const Column& c : columns) {
        const QString name = nameOf(c.column);
        if (name.isEmpty())
            continue;
        names << name;
        settings.setValue(name + QStringLiteral(".visible"), c.visible);
        settings.setValue(name + QStringLiteral(".width"), c.width);
    }
    settings.endGroup();
    settings.setValue(AllColumnsKey, names);
}

void TreeGroupsViewGroupColSet::read(const Settings& settings)
{
    if (!m_model)
        return;
    const QString array = QStringLiteral("Groups/groupColumns/");
    const int n = settings.value(array + QStringLiteral("size"), -1).toInt();
    if (n < 0) {
        readLegacy(settings);
        return;
    }
    // Entries are read by full key ("Groups/groupColumns/<1..n>/..."), through a copy scoped to each entry.
    for (int level = 0; level < m_levels.size() && level < n; ++level) {
        MapSettings entry;
        entry.restore(settings, array + QString::number(level + 1));
        m_levels[level] = readLevel(entry, m_levels.at(level));
    }
}

void TreeGroupsViewGroupColSet::readLegacy(const Settings& settings)
{
    for (int level = 0; level < m_levels.size(); ++level) {
        MapSettings entry;
        entry.restore(settings, QStringLiteral("Futures/level%1").arg(level));
        m_levels[level] = readLevel(entry, m_levels.at(level));
    }
}

void TreeGroupsViewGroupColSet::write(Settings& settings) const
{
    settings.beginGroup(QStringLiteral("Groups"));
    settings.remove(QStringLiteral("groupColumns"));
    settings.beginWriteArray(QStringLiteral("groupColumns"), m_levels.size());
    for (int level = 0; level < m_levels.size(); ++level) {
        settings.setArrayIndex(level);
        writeLevel(settings, m_levels.at(level));
    }
    settings.endArray();
    settings.endGroup();
}

void TreeGroupsViewGroupColSet::exportToSelectorModel(int level, TableHeaderModel* selector) const
{
    if (!selector || level < 0 || level >= m_levels.size())
        return;
    MapSettings layout;
    writeLevel(layout, m_levels.at(level));
    selector->read(layout);
}

void TreeGroupsViewGroupColSet::importFromSelectorModel(int level, const TableHeaderModel* selector)
{
    if (!selector || level < 0 || level >= m_levels.size())
        return;
    MapSettings layout;
    selector->write(layout);
    QVector<Column> columns = readLevel(layout, m_levels.at(level));
    for (Column& c : columns) {
        const auto before = std::find_if(m_levels.at(level).cbegin(), m_levels.at(level).cend(),
            [&c](const Column& old) { return old.column == c.column; });
        c.width = before != m_levels.at(level).cend() ? before->width : 0;
    }
    m_levels[level] = columns;
}

void TreeGroupsViewGroupColSet::exportToHeaderView(
    int level, QHeaderView* header, const DefaultWidth& defaultWidth) const
{
    if (!header || level < 0 || level >= m_levels.size())
        return;
    for (int section = 0; section < header->count(); ++section)
        header->setSectionHidden(section, true);
    int visual = 0;
    for (const Column& c : m_levels.at(level)) {
        if (!c.visible || c.column >= header->count())
            continue;
        header->setSectionHidden(c.column, false);
        if (c.width > 0)
            header->resizeSection(c.column, c.width);
        else if (defaultWidth)
            header->resizeSection(c.column, defaultWidth(c.column));
        header->moveSection(header->visualIndex(c.column), visual++);
    }
}

void TreeGroupsViewGroupColSet::importFromHeaderView(
    int level, const QHeaderView* header, const DefaultWidth& defaultWidth)
{
    if (!header || level < 0 || level >= m_levels.size())
        return;
    for (Column& c : m_levels[level]) {
        if (!c.visible || c.column >= header->count() || header->isSectionHidden(c.column))
            continue;
        const int size = header->sectionSize(c.column);
        // Left at the default, it keeps following the title and the font.
        c.width = defaultWidth && size == defaultWidth(c.column) ? 0 : size;
    }
}
