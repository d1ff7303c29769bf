#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QAbstractTableModel>
#include <QScopedPointer>

class HeldRowsModelPrivate;
class TableIndexModel;

// What a view shows of a live table model while a trader reads it. Passing, it is the source row for row and
// forwards every change as the source makes it. Held, it keeps the order of the records it showed: changed values
// still show (the source's dataChanged repaints them in place), while inserted, removed and moved rows are only
// counted. release() catches up in one model reset, after which it equals the source again.
//
// A record removed while held keeps its row and its last values until the release. Flags, edits and drags are the
// source's, for the records the rows show (a removed one takes no edit); a drop catches up first, so that the rows
// show where the trader put them.
class BASIC_VIEWS_EXPORT HeldRowsModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, HeldRowsModel)
public:
    // The source is not owned.
    explicit HeldRowsModel(TableIndexModel* source, QObject* parent = nullptr);
    ~HeldRowsModel() override;

    TableIndexModel* source() const;
    bool isHeld() const;
    // Rows inserted, removed or moved in the source since the hold began.
    int pendingChanges() const;
    // Takes the source's present order; no signal (nothing changes for the view).
    void hold();
    // One model reset when held.
    void release();

    Record recordAt(int row) const;
    // -1 when the record is not shown.
    int rowOf(const Record& record) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    // Dropped before the record a held row shows (after the last row when it left the source).
    bool dropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;
    // The source sorts; a held view catches up first.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

Q_SIGNALS:
    void pendingChangesChanged(int count);
    void heldChanged(bool held);

private:
    void onRowsAboutToBeInserted(const QModelIndex& parent, int first, int last);
    void onRowsInserted(const QModelIndex& parent, int first, int last);
    void onRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void onRowsRemoved(const QModelIndex& parent, int first, int last);
    void onRowsAboutToBeMoved(const QModelIndex& parent, int first, int last, const QModelIndex& to, int row);
    void onRowsMoved();
    void onLayoutAboutToBeChanged();
    void onLayoutChanged();
    void onModelAboutToBeReset();
    void onModelReset();
    void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles);
    void addPending(int count);
    // The source's cell of the record a row shows; invalid for a removed one.
    QModelIndex sourceIndex(const QModelIndex& index) const;

    QScopedPointer<HeldRowsModelPrivate> m_d;
};
