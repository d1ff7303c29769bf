#pragma once

#include "models/tableindexmodel.h"

#include <QStringList>
#include <QVector>

class IndexModelFilterRecordPrivate;

// A live table model that can show only the records a list of key texts names (the filter rows), in that list's
// order: the record filter. With it on, membership alone decides what is shown (the row filters are not asked)
// and, without a sort column, rows stand in the filter rows' order whatever their values; records the table gains
// later with a listed key come in at their place. Moving rows (moveRows(), or dragging them) reorders the filter
// rows to match: rows moved under a sort column give the filter rows the order they show, and the model returns
// to the user's order.
//
// The owner rebuilds the model after changing the flag or the filter rows.
class BASIC_VIEWS_EXPORT IndexModelFilterRecord : public TableIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(IndexModelFilterRecord)
public:
    explicit IndexModelFilterRecord(Table* table, QObject* parent = nullptr);
    ~IndexModelFilterRecord() override;

    bool filterEnabled() const;
    // Only the flag changes.
    void setFilterEnabled(bool enabled);
    const QStringList& filterRows() const;
    // Duplicate texts keep their first place.
    void setFilterRows(const QStringList& rows);
    // The key texts of every row, in row order.
    QStringList allRows() const;
    // Inserts the record's key text at `position` of the filter rows; false when its key is listed already.
    bool addToFilter(const Record& record, int position);
    void removeFromFilter(const Record& record);

    bool filter(const Record& record) const override;
    // Under a sort column as the table model sorts; without one, by the place in the filter rows, listed records
    // before the others.
    int compare(const Record& a, const Record& b) const override;
    // With the record filter on: a drop onto a row (both parents that row) goes before it, -1 after the last row;
    // the filter rows follow the rows. Otherwise the table model's move.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
        int destinationChild) override;

    // Rows drag (and the space between them takes drops) while the record filter is on.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // Moves the dragged rows of this model before `row` (-1: after the last), in the drag's order; refuses another
    // action, another payload or rows of another model.
    bool dropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

protected:
    // The key list searched by filter() and compare(), from the filter rows.
    void rebuildSortedList();
    // The filter rows become the shown rows' keys in row order, then the listed keys not shown, as they were.
    void rebuildFilterFromModel();

private:
    struct Entry
    {
        Record key; // a detached record holding the key
        int position; // in the filter rows
    };
    // The filter rows become the listed ones of `shownKeys` in that order, then the others as they were.
    void setShownOrder(const QStringList& shownKeys);
    // The entry with the record's key, or null.
    const Entry* find(const Record& record) const;
};
