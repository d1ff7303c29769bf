#pragma once

#include "basic_views_export.h"
#include "core/db/indexlist.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QScopedPointer>

class FilterRecordsModelPrivate;

class ItemModelWithDelegates;

// A trader's pick of instruments: an ordered list of records of the host's "securities" table, shown in six fixed
// columns (market, board, name, base asset, full name, code), reordered by dragging rows
// ("application/x-filterrecordsmodel-move"), sortable by a column, and kept as the records' key texts.
//
// The order is the user's until sort() orders the rows by a column; the next move returns to the user's order,
// taking the sorted order as it stands. The list is not an index of the table: a record that leaves the table
// stays in the pick (its handle keeps it). Each record stands in the list once; adding one that is there already
// changes nothing.
class BASIC_VIEWS_EXPORT FilterRecordsModel : public QAbstractTableModel, public IndexList
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FilterRecordsModel)
public:
    // The comparison the sorts run with: compare() < 0.
    struct LessThan
    {
        const FilterRecordsModel* model;
        bool operator()(const Record& a, const Record& b) const { return model->compare(a, b) < 0; }
    };

    // `model` (not owned, may be null) formats the cells and titles; its column i must show the table's field i.
    explicit FilterRecordsModel(ItemModelWithDelegates* model = nullptr, QObject* parent = nullptr);
    ~FilterRecordsModel() override;

    ItemModelWithDelegates* model() const;
    // Emits one model reset: every cell may read differently.
    void setModel(ItemModelWithDelegates* model);
    // The table fields the six columns show (-1 for a field the table lacks).
    const QList<int>& columnIndexes() const;
    // The column showing a table field, or -1.
    int columnIndexAt(int field) const;

    // Index
    Table* table() const override;
    // Inserts at the end in the user's order, else at the record's place in the sort (after equal records).
    void add(const Record& record) override;
    // Takes the record out when it is there; emits removed(record) in either case.
    void remove(const Record& record, int row = -1) override;
    // By handle.
    bool contains(const Record& record) const override;
    // The row of the record (by handle in the sort, else of the first record with its primary key); -1.
    int indexOf(const Record& record) const override;
    // One model reset.
    void clear() override;
    // Rows first..last to stand at `to` (`to` counted in the list as it is); nothing when `to` lies within the
    // rows or next to them. Returns to the user's order. One row move.
    void move(int first, int last, int to) override;
    // Nothing: the pick is filled by add() and fromTextList(), never from the whole table.
    void build() override { }
    QString getClassName() const override;

    // The row of the very record found by the sort's bisection; -1 in the user's order or when it is not there.
    int indexOf_fast(const Record& record) const;
    // The first row whose record has the same primary key; -1.
    int indexOf_full(const Record& record) const;
    // Under the sort column and order; 0 in the user's order. Safe from worker threads.
    int compare(const Record& a, const Record& b) const;
    int sortColumn() const;
    Qt::SortOrder sortOrder() const;

    // The records' key texts, in row order.
    QStringList toTextList() const;
    // One model reset: the table's records with the key texts, in their order (the user's); texts naming no record
    // (or a record already listed) are skipped.
    void fromTextList(const QStringList& list);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Rows drag; the space between them takes drops.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // Moves the dragged rows of this model, in the drag's order, to stand together before `row` (-1: after the last
    // row). Refuses (false, nothing changes) another action, another kind of payload and rows of another model.
    bool dropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;
    // One removal of the rows.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    // Column -1 returns to the user's order as the rows stand; any other sorts the rows stably by it: one layout
    // change, persistent indexes following their records.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

Q_SIGNALS:
    void removed(const Record& record);

private:
    // The first row whose record does not sort before `record`, and the first that sorts after it.
    int lowerBound(const Record& record) const;
    int upperBound(const Record& record) const;
    void insertHandle(const Record& record);
    void removeHandle(const Record& record);

    QScopedPointer<FilterRecordsModelPrivate> m_d;
};
