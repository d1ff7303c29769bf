#include "core/host/selectors/codenamelistmodel.h"

CodeNameListModel::CodeNameListModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

void CodeNameListModel::setEntries(const QVector<Entry>& entries)
{
    beginResetModel();
    m_entries = entries;
    m_byCode.clear();
    m_byId.clear();
    m_byCode.reserve(entries.size());
    m_byId.reserve(entries.size());
    for (int row = entries.size() - 1; row >= 0; --row) {
        m_byCode.insert(entries.at(row).code.toUpper(), row);
        m_byId.insert(entries.at(row).id, row);
    }
    endResetModel();
}

int CodeNameListModel::rowOfCode(const QString& code) const
{
    return m_byCode.value(code.trimmed().toUpper(), -1);
}

int CodeNameListModel::rowOfId(const QString& id) const
{
    return m_byId.value(id, -1);
}

int CodeNameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

int CodeNameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CodeNameListModel::data(const QModelIndex& index, int role) const
{
    // Combo boxes ask for the data of "no item"; answer nothing without a warning.
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const Entry& e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == CodeColumn || e.name.isEmpty())
            return e.code;
        return QStringLiteral("%1  %2").arg(e.code, e.name);
    case Qt::ToolTipRole:
        return e.name;
    case Qt::UserRole:
        return e.id;
    default:
        return QVariant();
    }
}
