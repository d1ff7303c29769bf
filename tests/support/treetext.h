#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// A tree as "group(child child) group(...)", each item as its text in the role.
inline QString treeText(
    const QAbstractItemModel& model, int role = Qt::DisplayRole, const QModelIndex& parent = QModelIndex())
{
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const QString text = index.data(role).toString();
        parts << (model.rowCount(index) > 0 ? QStringLiteral("%1(%2)").arg(text, treeText(model, role, index)) : text);
    }
    return parts.join(QLatin1Char(' '));
}
