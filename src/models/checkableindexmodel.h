#pragma once

#include "models/tableindexmodel.h"

#include <QHash>
#include <QVector>

class CheckableIndexModelPrivate;

// A live list of the values of one table column with a check box per row, sorted by the column: for picking
// values. Each row's check state stays with its row as rows arrive (in the initial state), leave, move and
// re-sort; a rebuild that gives as many rows as before keeps the states by position, any other resets them all.
class BASIC_VIEWS_EXPORT CheckableIndexModel : public TableIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(CheckableIndexModel)
public:
    CheckableIndexModel(Table* table, int column, Qt::CheckState initial, QObject* parent = nullptr);
    ~CheckableIndexModel() override;

    int shownColumn() const;
    Qt::CheckState initialState() const;
    // The shown field of each checked row, in row order.
    QStringList checkedValues() const;
    // True for an empty model.
    bool allItemsChecked() const;
    bool allItemsUnchecked() const;
    // Every row checked / unchecked: one dataChanged over column 0.
    void checkAllItems();
    void uncheckAllItems();

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The shown field as text, left aligned, and the row's check state; other roles as the table model answers.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Check states only. An invalid index sets every row (checked for a non-zero value) in one model reset; a
    // row's own state changes with one dataChanged, false when it had that state already.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::CheckStateRole) override;

private Q_SLOTS:
    void s_modelReset();
    void s_rowsInserted(const QModelIndex& parent, int first, int last);
    void s_rowsRemoved(const QModelIndex& parent, int first, int last);
    void s_rowsMoved(const QModelIndex& parent, int start, int end, const QModelIndex& destination, int row);
    // A re-sort (or a batch's moved rows) reorders the rows at once: the states follow their records.
    void onLayoutAboutToBeChanged();
    void onLayoutChanged();

private:
    bool allIn(Qt::CheckState state) const;
    void setAll(Qt::CheckState state);
};
