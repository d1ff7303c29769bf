#pragma once

#include "basic_views_export.h"

#include <QString>
#include <QVector>

#include <functional>

class QHeaderView;
class Settings;
class TableHeaderModel;
class TreeGroupsModel;

// What the group rows of a grouped view show, per group level: the model's columns in order, each shown or
// not and with its segment's width in pixels (0: the default width). Columns are stored by name, so a layout
// survives columns added to or removed from the model.
class BASIC_VIEWS_EXPORT TreeGroupsViewGroupColSet
{
public:
    struct Column
    {
        int column = -1; // a model column
        bool visible = false;
        int width = 0;
    };

    virtual ~TreeGroupsViewGroupColSet();

    // Every level as the model defines it: the group's own columns shown first, then the other offered columns
    // hidden.
    void reset(const TreeGroupsModel* model);
    const TreeGroupsModel* model() const { return m_model; }
    int levelCount() const { return m_levels.size(); }
    QVector<Column> level(int level) const { return m_levels.value(level); }
    QVector<Column> visibleColumns(int level) const;
    // Null when the level does not list the column.
    Column* column(int level, int column);

    // The group "Groups" with the array "groupColumns", one entry per level: "Columns/<name>.visible",
    // "Columns/<name>.width" and "all_columns".
    virtual void read(const Settings& settings);
    virtual void write(Settings& settings) const;
    // Whether a model column may be shown in group rows: not the tree's column 0, nor a column the model keeps
    // for itself.
    virtual bool filterColumn(int column) const;

    // The level's columns as a column selector's list (shown and order), and back; widths stay.
    void exportToSelectorModel(int level, TableHeaderModel* selector) const;
    void importFromSelectorModel(int level, const TableHeaderModel* selector);
    // A column's segment width when none is stored.
    using DefaultWidth = std::function<int(int column)>;
    // The level's widths as the sections of a header over the model's columns (hidden sections for hidden
    // columns), and back. With `defaultWidth`, a column without a stored width shows that width, and a section
    // left at it stays without one.
    void exportToHeaderView(int level, QHeaderView* header, const DefaultWidth& defaultWidth = {}) const;
    void importFromHeaderView(int level, const QHeaderView* header, const DefaultWidth& defaultWidth = {});

protected:
    // An older layout: the group "Futures" with one "Columns" group per level under "level<i>".
    virtual void readLegacy(const Settings& settings);

private:
    QString nameOf(int column) const;
    // The level read from a column layout ("Columns/<name>.visible|.width", "all_columns").
    QVector<Column> readLevel(const Settings& settings, const QVector<Column>& defaults) const;
    void writeLevel(Settings& settings, const QVector<Column>& columns) const;

    const TreeGroupsModel* m_model = nullptr; // not owned
    QVector<QVector<Column>> m_levels;
};
