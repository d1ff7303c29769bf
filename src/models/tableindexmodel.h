#pragma once

#include "core/db/indexiterative.h"
#include "models/filterindexmodel.h"

class ProgressHelper;
class TableIndexModelPrivate;

// The flat, sorted, filtered live view of a table (or of another model's rows, through IndexDepend). It keeps
// its own list of record handles in sort order and turns each change of the table into the fewest model
// signals: dataChanged for rows that stay in place, row removals and block insertions, and one layout change
// for the rows a batch moves (persistent indexes follow their records). Batches are analysed on Qt's global
// thread pool before any signal; the model itself changes only on the calling thread. Equal records keep the
// order in which they arrived.
//
// Over another model (an IndexDepend), it shows the records that model shows and its own filters accept, in its
// own sort; records that tie stand in that model's order. It equals a fresh build after every change.
//
// The model is empty until it is built (by its table, from the event loop, or by rebuild()).
class BASIC_VIEWS_EXPORT TableIndexModel : public FilterIndexModel, public IndexIterative
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TableIndexModel)
public:
    // The comparison the sorts run with: the model's compare() < 0.
    struct LessThan
    {
        const TableIndexModel* model;
        bool operator()(const Record& a, const Record& b) const { return model->compare(a, b) < 0; }
    };

    explicit TableIndexModel(Table* table, QObject* parent = nullptr);
    // Over the rows of another model (an IndexDepend), in that model's order until sorted otherwise.
    explicit TableIndexModel(IndexDependBase* depend, QObject* parent = nullptr);
    ~TableIndexModel() override;

    // The handle of a row; the empty handle outside the list.
    const Record& at(int row) const;
    const Record& record(const QModelIndex& index) const;
    Record recordByIndex(const QModelIndex& index) const override;
    QModelIndex indexByRecord(const Record& record, int column = 0) const;
    QModelIndex indexColumn(const QModelIndex& index, int column) const override;

    using ItemModelWithDelegates::setColumnDelegate;
    // Throws "Колонка '%1' не найдена в модели '%2'" when no column has the name.
    void setColumnDelegate(const QString& name, ColumnModelDelegate* delegate, const QString& title = QString());

    // IndexIterative
    const_iterator begin() const override;
    const_iterator end() const override;
    int count() const override;
    Table* table() const override;

    // Index
    bool contains(const Record& record) const override;
    int indexOf(const Record& record) const override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override;
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override;
    void build() override;
    void clear() override;
    void rebuild() override;

    // Sorts the whole list (no signal; callers wrap it).
    void resort() override;
    // Over another model, ties under this model's sort fall to that model's order.
    int default_compare(const Record& a, const Record& b) const override;
    void sourceDestroyed() override;
    // Nothing for the current sort; otherwise one layout change, persistent indexes following their records.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Moves rows without re-sorting; the next sort restores the order.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
        int destinationChild) override;

protected:
    TableIndexModel(Table* table, TableIndexModelPrivate& dd, QObject* parent);
    TableIndexModel(IndexDependBase* depend, TableIndexModelPrivate& dd, QObject* parent);

    // First position whose record is not < r, and first whose record is > r.
    int lowerBound(const Record& record) const;
    int upperBound(const Record& record) const;

private:
    // Appends the source's records the filters keep, in source order; a large source's slices on the worker threads.
    void filterInParallel(ProgressHelper& progress);
    // resort(), and a build's sort: that one reports its progress from the middle of the build's total to its end.
    void sortRows(ProgressHelper* progress);
    // Moves to the moving rows those that a batch would leave out of order among their new neighbours.
    void settleRowsInPlace(const QList<Record>& updated, const QList<Record>& updatedNew);
    // Saves each persistent index as (record, column) for a layout change, and maps them back afterwards.
    QList<QPair<Record, int>> savePersistent() const;
    void restorePersistent(const QList<QPair<Record, int>>& saved);
};
