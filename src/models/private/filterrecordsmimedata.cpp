#include "models/private/filterrecordsmimedata.h"

#include <QSet>

FilterRecordsMimeData::FilterRecordsMimeData(const QList<QModelIndex>& indexes)
{
    QSet<int> seen;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || seen.contains(index.row()))
            continue;
        seen.insert(index.row());
        m_rows << QPersistentModelIndex(index);
    }
}

QString FilterRecordsMimeData::mimeType()
{
    return QStringLiteral("application/x-filterrecordsmodel-move");
}

QStringList FilterRecordsMimeData::formats() const
{
    return { mimeType() };
}

bool FilterRecordsMimeData::moveRows(
    const QAbstractItemModel* model, int row, const std::function<void(int, int)>& moveBefore) const
{
    QList<QPersistentModelIndex> dragged;
    QSet<int> moving;
    for (const QPersistentModelIndex& index : m_rows) {
        if (!index.isValid())
            continue; // gone meanwhile
        if (index.model() != model)
            return false;
        dragged << index;
        moving.insert(index.row());
    }
    if (dragged.isEmpty())
        return false;
    const int rows = model->rowCount();
    if (row < 0 || row > rows)
        row = rows;
    while (row < rows && moving.contains(row))
        ++row;
    // Already lined up before the target: nothing moves.
    bool inPlace = true;
    for (int k = 0; k < dragged.size() && inPlace; ++k)
        inPlace = dragged.at(k).row() == row - dragged.size() + k;
    if (inPlace)
        return true;
    // The anchor is a row that stays; the dragged rows line up before it one by one.
    const QPersistentModelIndex anchor(model->index(row, 0));
    for (const QPersistentModelIndex& index : qAsConst(dragged)) {
        if (!index.isValid())
            continue;
        const int before = anchor.isValid() ? anchor.row() : model->rowCount();
        if (before != index.row() && before != index.row() + 1)
            moveBefore(index.row(), before);
    }
    return true;
}
