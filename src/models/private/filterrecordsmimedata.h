#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QMimeData>
#include <QPersistentModelIndex>

#include <functional>

// Rows of an instrument pick being dragged: one persistent index per distinct row (the first index met for it), in
// the order the indexes came, so that the rows can be found again however the list changes meanwhile.
class BASIC_VIEWS_EXPORT FilterRecordsMimeData : public QMimeData
{
    Q_OBJECT
public:
    explicit FilterRecordsMimeData(const QList<QModelIndex>& indexes);

    // "application/x-filterrecordsmodel-move".
    static QString mimeType();
    QList<QPersistentModelIndex> rows() const { return m_rows; }
    QStringList formats() const override;

    // Takes the dragged rows of `model`, in the drag's order, to stand together before `row` (-1: after the last
    // row), or rather before the first row from there on that is not dragged: moveBefore(from, before) moves one
    // row as QAbstractItemModel::moveRows() counts `before`. False, calling nothing, when a dragged row belongs to
    // another model or none is left.
    bool moveRows(
        const QAbstractItemModel* model, int row, const std::function<void(int from, int before)>& moveBefore) const;

private:
    QList<QPersistentModelIndex> m_rows;
};
