#include "terminalgroupsmodel.h"

TerminalGroupsModel::TerminalGroupsModel(Table* table, QObject* parent)
    : TreeGroupsModel(table, parent)
{ }

int TerminalGroupsModel::placeColumn(const QString& name, int position)
{
    const int column = columnIndex(name);
    if (column < 0)
        return -1;
    moveColumn(column, position);
    return position;
}

QPair<int, int> TerminalGroupsModel::elementColumnRange() const
{
    return { m_firstElementColumn, columnCount() - 1 };
}

bool TerminalGroupsModel::filter(const Record& record) const
{
    return TreeGroupsModel::filter(record) && (!m_accept || m_accept(record));
}
