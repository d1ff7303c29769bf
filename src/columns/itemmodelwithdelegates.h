#pragma once

#include "basic_views_export.h"
#include "columns/columndelegatedef.h"
#include "columns/itemroles.h"
#include "core/db/record.h"

#include <QAbstractItemModel>
#include <QVector>

class ColumnModelDelegate;
class ItemModelWithDelegatesPrivate;
class QAbstractItemModelPrivate;
class QHeaderView;
class Settings;
class Table;

// The base of every model of the library that shows a live table's records: an ordered list of columns, each
// bound to a table field and/or a column delegate; the header roles describing them; cell values through the
// delegates; and the comparison of two records under the sort column and order, ties falling to
// default_compare() in both directions. Concrete models supply the rows and records.
//
// Column changes (setColumns, setColumnDelegate, insert/add/remove) emit no model signal: callers make them
// before the model is shown or inside their own reset.
class BASIC_VIEWS_EXPORT ItemModelWithDelegates : public QAbstractItemModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(ItemModelWithDelegates)
public:
    explicit ItemModelWithDelegates(QObject* parent = nullptr);
    ItemModelWithDelegates(const QList<ColumnDef>& columns, QObject* parent = nullptr);
    ~ItemModelWithDelegates() override;

    // Column i shows field i; the sort is reset (no column, ascending, role 0).
    void setColumns(const QList<ColumnDef>& columns);
    const QVector<ColumnDelegateDef>& columns() const;
    ColumnModelDelegate* columnDelegate(int column) const;
    int tableColumn(int column) const;
    // The first column whose key (the delegate's ColumnNameRole answer, else the name) or name is `name`; -1.
    int columnIndex(const QString& name) const;

    // A non-null delegate also makes the column visible and gives it the delegate's type and its alignment.
    void setColumnDelegate(int column, ColumnModelDelegate* delegate, const QString& title = QString());
    // Throws "Столбец '%1' не найден" when no column has the name.
    void setColumnDelegate(const QString& name, ColumnModelDelegate* delegate, const QString& title = QString());
    void insertColumnDelegate(int position, ColumnModelDelegate* delegate, int tableColumn, int length,
        const QString& name, const QString& title, const QString& description);
    int addColumnDelegate(ColumnModelDelegate* delegate, int tableColumn, int length, const QString& name,
        const QString& title, const QString& description);
    int addColumnDelegate(ColumnModelDelegate* delegate, int tableColumn, const ColumnDef& def);
    void removeUnusedColumns(const QStringList& names);
    // Moves column `from` to position `to`, as QList::move does.
    void moveColumn(int from, int to);

    // Model columns showing table fields firstField..lastField; computed columns always count; -1 means all.
    void mapColumnFromTable(int firstField, int lastField, int& firstColumn, int& lastColumn) const;
    // One dataChanged() over the row's columns that show the fields (nothing when none does).
    void dataChangedRow(int row, int firstField, int lastField);

    QVariant columnData(int column, int role) const;
    QVariant dataByRecord(const Record& record, int column, int role) const;
    QVariant dataByField(const Field& field, const Record& record, int column, int role) const;

    int sortColumn() const;
    Qt::SortOrder sortOrder() const;
    int sortRole() const;
    void setSortRole(int role);

    static Qt::Alignment columnTypeAlignment(int type);
    static int fieldTypeToVariantType(int type);

    // The persisted column layout, by column name: in the group "Columns" the shown order, each column's
    // ".visible" and ".width", then "all_columns", "sortColumn" and "sortOrder" ("ASC"/"DESC"). Internal columns
    // (ColumnHiddenRole) are not written. Nothing happens without a model.
    static void storeHeader(const QHeaderView* header, const QAbstractItemModel* model, Settings& settings);
    // Listed columns come first in their stored order and width, unlisted ones stay hidden; a column the model
    // no longer has is ignored. The sort indicator goes to "sortColumn" (also when the stored layout itself hides
    // it), or to the leftmost shown column when that is missing or hidden since (unless "ordered" is true).
    static void restoreHeader(QHeaderView* header, QAbstractItemModel* model, const Settings& settings);

    // The table whose records the model shows (its columns name that table's fields); null when there is none.
    virtual Table* table() const;
    virtual bool isTreeModel() const;
    virtual QModelIndex indexColumn(const QModelIndex& index, int column) const;
    virtual int fieldIndex(const QString& name) const;
    virtual Record recordByIndex(const QModelIndex& index) const = 0;
    virtual Qt::Alignment columnAlignment(int column) const;
    // An empty alignment restores the default of the column's type.
    virtual void setColumnAlignment(int column, const Qt::Alignment& alignment);
    virtual bool isColumnVisible(int column) const;
    // Rebuilds the order of the rows under the current sort. A flat model sends no signal (sort() puts it in one
    // reset); a tree sends its own layout change.
    virtual void resort() = 0;
    virtual void setSort(int column, Qt::SortOrder order);
    // Negative, zero or positive under the sort column and order; safe from worker threads.
    virtual int compare(const Record& r1, const Record& r2) const;
    // The order of two records in one column, ascending and without ties broken: -1, 0 or 1, or +-EmptyLast when
    // the column puts empty values last in either order (the sign tells which record is empty). Safe from
    // worker threads.
    int compareColumn(const Record& r1, const Record& r2, int column) const;
    static constexpr int EmptyLast = 2;
    // The secondary order, the same in both directions; 0 here.
    virtual int default_compare(const Record& r1, const Record& r2) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Nothing for the current sort; otherwise one model reset around resort().
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    ItemModelWithDelegates(QAbstractItemModelPrivate& dd, QObject* parent);
    void emitDataChanged(int column);
    void emitDataChangedOnChildren(int column, const QModelIndex& parent);

private:
    void connectDelegate(ColumnModelDelegate* delegate);
    void onDelegateDataChanged();
};
