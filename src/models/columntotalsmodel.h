#pragma once

#include "basic_views_export.h"
#include "core/db/decimal.h"

#include <QAbstractTableModel>
#include <QScopedPointer>
#include <QVector>

class ColumnTotalsModelPrivate;
class ItemModelWithDelegates;
class Record;

// One row of totals under a table: the chosen columns of the source's rows summed exactly (decimals), the label
// "Итого" in the first column, every other cell empty; columns as the source's, so a frozen row lines up under
// it. It follows the source live, showing new totals at most every `interval` ms however many changes arrive.
// Over a model of a table the totals follow the table's batches, each changed record's old values taken out and
// its new ones put in, so a batch costs its own size, not the model's; changes whose old values are unknown
// (single updates, a rebuild of the model) are summed afresh, seldom enough over a large model that summing takes
// no more than a twentieth of the time.
class BASIC_VIEWS_EXPORT ColumnTotalsModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ColumnTotalsModel)
public:
    // The source is not owned.
    explicit ColumnTotalsModel(ItemModelWithDelegates* source, QObject* parent = nullptr);
    ~ColumnTotalsModel() override;

    // By the columns' names; unknown names are ignored.
    void setSummedColumns(const QStringList& names);
    QList<int> summedColumns() const;
    decimal total(int column) const;
    void setInterval(int ms);
    // Brings the totals up to date now; emits dataChanged() over the row when a total changed.
    void recompute();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    class Follower;
    void schedule();
    // Sums the source's rows afresh.
    QVector<decimal> sumRows() const;
    void addRecord(const Record& record, int sign);
    // A shown record's summed fields moved from `before` to `after`.
    void addChange(const Record& before, const Record& after);

    QScopedPointer<ColumnTotalsModelPrivate> m_d;
};
