#pragma once

#include "trees/groupment.h"
#include "trees/recorditem.h"
#include "trees/treeindexmodel.h"

#include <QFont>
#include <QPair>
#include <QVector>

#include <memory>
#include <vector>

class GroupmentElementsPrivate;
class GroupmentGroupPrivate;
class TreeGroupsModelPrivate;

// A live table as "elements" under levels of group rows: each group level is a set of the model's columns with a
// name (the records sharing those columns' texts form one group), the elements under a group are ordered by
// several sort columns at once, each in its own order, ties falling to the record key. A group row shows, in
// every column, the values of its first element, and changes with it.
//
// Concrete models say which columns belong to element rows (elementColumnRange()); the others are the group
// rows'. The owner (the grouped view) makes the groupments: groupmentFor(i) for each group level, then the
// elements' groupment, and builds. The sort columns, their orders and the row filters are stored and restored.
class BASIC_VIEWS_EXPORT TreeGroupsModel : public TreeIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TreeGroupsModel)
public:
    struct SortColumn
    {
        int column = -1; // a model column
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    struct Group
    {
        QVector<int> columns; // model columns
        QString name;
    };

    // A group level: the records whose columns read the same texts. A level of one column is keyed by its text;
    // of several, by the texts joined with ",", each "," or "\" in them escaped by a "\", so that no two
    // groups share a key whatever their texts hold.
    class BASIC_VIEWS_EXPORT GroupmentGroup : public Groupment
    {
        Q_DECLARE_PRIVATE(GroupmentGroup)
    public:
        GroupmentGroup(const TreeGroupsModel* model, const QVector<int>& columns, const QString& name);
        QString groupKey(const Record& record) const override;
        int keyParts() const override;
        // A key from its column texts, and back (empty for a key of another count of texts).
        QString keyOf(const QStringList& texts) const;
        QStringList textsOf(const QString& key) const;
    };

    // The element level: one element per record, ordered by the model's sort columns.
    class BASIC_VIEWS_EXPORT GroupmentElements : public Groupment
    {
        Q_DECLARE_PRIVATE(GroupmentElements)
    public:
        explicit GroupmentElements(const TreeGroupsModel* model);
        QString groupKey(const Record& record) const override;
        GroupmentTreeItem* createGroup(
            GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
        bool keysAreRecordKeys() const override { return true; }
        // The parts of the table's key.
        int keyParts() const override;

    protected:
        GroupmentElements(GroupmentElementsPrivate& dd, const TreeGroupsModel* model);

        virtual GroupmentTreeItem* allocateGroupItem(GroupmentTreeItem* parent, const QString& key) const;
    };

    // An element row: its record, compared with its siblings by the sort columns.
    class BASIC_VIEWS_EXPORT TreeItemElement : public RecordItem
    {
    public:
        using RecordItem::RecordItem;
        int compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const override;
    };

    explicit TreeGroupsModel(Table* table, QObject* parent = nullptr);
    ~TreeGroupsModel() override;

    // Puts the tree's own column 0 in front ("tree", no title): it carries the branches and shows nothing.
    // Call once, before the model is shown.
    void insertTreeColumn();

    QList<SortColumn> sortColumns() const;
    // The first sort column also becomes the model's sort column; re-sorts in one layout change.
    void addSortColumn(const SortColumn& column);
    // The order of sort column `column` (a model column); ascending for a column that is none.
    Qt::SortOrder sortColumnOrder(int column) const;
    bool isSortColumn(int column) const;

    int groupCount() const;
    Group group(int i) const;
    void setGroup(int i, const QVector<int>& columns, const QString& name);
    QStringList groupColumnNames(int i) const;
    // The levels of the tree: a GroupmentGroup per group, then the elements' GroupmentElements. The caller owns
    // them, sets them as the groupment list and keeps them while the model lives.
    std::vector<std::unique_ptr<Groupment>> createGroupments() const;

    // The model columns of element rows, first and last; the others are the group rows'.
    virtual QPair<int, int> elementColumnRange() const = 0;

    bool isElementLevel(const QModelIndex& index) const;
    // The element a row stands for: the row itself for an element, the first element below it for a group
    // (invalid when there is none), in the index's column.
    QModelIndex elementIndex(const QModelIndex& index) const;
    // Where a row is, whatever its texts hold: per level from the top, the texts that key it there (a group's
    // column texts, an element's record key fields).
    using Path = QList<QStringList>;
    Path indexPath(const QModelIndex& index) const;
    // The row of a path (column 0); invalid when a level names no row.
    QModelIndex pathIndex(const Path& path) const;
    // A path as stored in settings (JSON arrays, safe for any text); empty for an invalid index.
    QString storedPath(const QModelIndex& index) const;
    // The row a stored path names, or an older stored text path (textIndex()); invalid when it names none.
    QModelIndex storedIndex(const QString& stored) const;

    // The keys of the row and its groups from the top, joined with ","; empty for an invalid index. A text with
    // "," cannot be told from two: the form settings kept before paths.
    QString indexText(const QModelIndex& index) const;
    // The row of a text path (column 0); invalid when a key is missing or the text is short.
    QModelIndex textIndex(const QString& text) const;

    // A group row's cell: its first element's value in the column.
    virtual QVariant groupData(const QModelIndex& index, int role) const;
    // The item's own font for the column, else `base`, 1.2 times the size.
    static QFont groupFont(const QModelIndex& index, const QFont& base);

    // "sortColumns" (per sort column its "column" name and "sortOrder" "ASC"/"DESC"), then the row filters.
    void store(Settings& settings) const;
    // The filters, then the stored orders of the model's own sort columns (the list itself stays); rebuilds
    // inside one model reset. Unknown columns are skipped.
    void restore(const Settings& settings);

    // Index
    void add(const Record& record) override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    // Sets the order of one sort column: one layout change, persistent indexes following their items.
    // Nothing for column 0 or a column that is no sort column.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QString getClassName() const override;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    void childrenInserted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& items) override;
    void childrenRemoved(GroupmentTreeItem* parent, int row, const QVector<GroupmentTreeItem*>& items) override;
    void childMoved(GroupmentTreeItem* parent, int from, int to) override;

private:
    // A group row shows its first element: when the first child of a parent changes, the parent and the
    // groups above it that show the same element change too.
    void refreshGroupsFrom(GroupmentTreeItem* parent);
};

Q_DECLARE_TYPEINFO(TreeGroupsModel::SortColumn, Q_MOVABLE_TYPE);
