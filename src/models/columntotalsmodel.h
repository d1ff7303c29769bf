#pragma once

#include "basic_views_export.h"
#include "core/db/decimal.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTimer>
#include <QVector>

class ItemModelWithDelegates;

// One row of totals under a table: the chosen columns of the source's rows summed exactly (decimals), the label
// "Итого" in the first column, every other cell empty; columns as the source's, so a frozen row lines up under
// it. It follows the source live, recomputing at most every `interval` ms however many changes arrive, and, over
// a table so large that a sum takes long, seldom enough that summing takes no more than a twentieth of the time.
class BASIC_VIEWS_EXPORT ColumnTotalsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The source is not owned.
    explicit ColumnTotalsModel(ItemModelWithDelegates* source, QObject* parent = nullptr);

    // By the columns' names; unknown names are ignored.
    void setSummedColumns(const QStringList& names);
    QList<int> summedColumns() const { return m_summed; }
    decimal total(int column) const;
    void setInterval(int ms) { m_interval = ms; }
    // Recomputes now; emits dataChanged() over the row when a total changed.
    void recompute();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void schedule();

    QPointer<ItemModelWithDelegates> m_source;
    QList<int> m_summed;
    QVector<decimal> m_totals; // per source column
    QTimer m_timer;
    int m_interval = 200;
    qint64 m_costMs = 0; // the last recompute's
};
