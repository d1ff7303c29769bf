#pragma once

#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "views/headersettings/tableheadermodel.h"

#include <QAbstractTableModel>
#include <QWidget>

class QHeaderView;
class QTabWidget;
class TableHeaderSettingsForm;
class TreeGroupsModel;

// The element columns of a grouped view as a column list: the tree's column 0 is no choice, it always leads.
class BASIC_VIEWS_EXPORT ElementHeaderModel : public TableHeaderModel
{
    Q_OBJECT
public:
    using TableHeaderModel::TableHeaderModel;
    bool filterColumn(int section) const override;
};

// The columns of a model as header sections whose titles say their width ("Счёт — 120"): the header under a
// group level's column list, where dragging a section's edge sets that segment's width.
class BASIC_VIEWS_EXPORT GroupWidthController : public QAbstractTableModel
{
    Q_OBJECT
public:
    GroupWidthController(const QAbstractItemModel* source, QObject* parent = nullptr);
    // The header whose section sizes the titles show; not owned.
    void setHeader(const QHeaderView* header);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const QAbstractItemModel* m_source; // not owned
    const QHeaderView* m_header = nullptr; // not owned
};

// The columns page of a grouped view: a tab for the element columns (shown and order), and one per group level
// with the columns its group rows show (shown and order) over a header whose section widths are the segments'
// widths.
class BASIC_VIEWS_EXPORT TreeGroupsViewHeaderSettingsForm : public QWidget
{
    Q_OBJECT
public:
    // Reads the element layout and the group columns from `settings`. Segments without a width of their own
    // show `defaultWidth` and keep none unless resized.
    TreeGroupsViewHeaderSettingsForm(TreeGroupsModel* model, const TreeGroupsViewGroupColSet& groups,
        const Settings& settings, const TreeGroupsViewGroupColSet::DefaultWidth& defaultWidth,
        QWidget* parent = nullptr);

    ElementHeaderModel* elementModel() const { return m_elements; }
    TableHeaderModel* levelModel(int level) const { return m_levels.value(level).selector; }
    QHeaderView* levelWidths(int level) const { return m_levels.value(level).widths; }
    // The element layout, then the group columns (choices from each level's list, widths from its header).
    void write(Settings& settings);

private:
    struct Level
    {
        TableHeaderModel* selector = nullptr; // child
        QHeaderView* widths = nullptr; // child
    };
    // The width header follows the level's list: its shown columns in its order.
    void followSelector(int level);

    TreeGroupsViewGroupColSet m_groups;
    TreeGroupsViewGroupColSet::DefaultWidth m_defaultWidth;
    ElementHeaderModel* m_elements; // child
    QVector<Level> m_levels;
    QTabWidget* m_tabs;
};
