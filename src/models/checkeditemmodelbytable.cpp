#include "models/checkeditemmodelbytable.h"

#include <algorithm>

CheckedItemModelByTable::CheckedItemModelByTable(QObject* parent)
    : QAbstractListModel(parent)
{ }

CheckedItemModelByTable::~CheckedItemModelByTable() = default;

void CheckedItemModelByTable::setItemsCheckable(bool checkable)
{
    if (checkable == m_itemsCheckable)
        return;
    m_itemsCheckable = checkable;
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0), index(m_items.size() - 1));
}

QStringList CheckedItemModelByTable::values() const
{
    QStringList all;
    for (const Item& item : m_items)
        all << item.value;
    return all;
}

QStringList CheckedItemModelByTable::checkedValues() const
{
    QStringList checked;
    for (const Item& item : m_items) {
        if (item.checked)
            checked << item.value;
    }
    return checked;
}

bool CheckedItemModelByTable::allMarked(bool checked) const
{
    return std::all_of(m_items.begin(), m_items.end(), [checked](const Item& item) { return item.checked == checked; });
}

bool CheckedItemModelByTable::allItemsChecked() const
{
    return allMarked(true);
}

bool CheckedItemModelByTable::allItemsUnchecked() const
{
    return allMarked(false);
}

void CheckedItemModelByTable::populate()
{
    QList<Item> fresh;
    fillListFromTable(fresh);
    // The merge below needs each value once, ascending; a subclass that slips must not break the model.
    std::stable_sort(fresh.begin(), fresh.end(), [](const Item& a, const Item& b) { return a.value < b.value; });
    fresh.erase(
        std::unique(fresh.begin(), fresh.end(), [](const Item& a, const Item& b) { return a.value == b.value; }),
        fresh.end());
    if (m_items.isEmpty() || fresh.isEmpty()) {
        if (!m_items.isEmpty()) {
            beginRemoveRows(QModelIndex(), 0, m_items.size() - 1);
            m_items.clear();
            endRemoveRows();
        } else if (!fresh.isEmpty()) {
            beginInsertRows(QModelIndex(), 0, fresh.size() - 1);
            m_items = fresh;
            endInsertRows();
        }
        return;
    }
    // Both lists ascend: one walk finds the runs that went (removed where they stand) and those that came
    // (inserted where they belong).
    int row = 0;
    int j = 0;
    while (row < m_items.size() || j < fresh.size()) {
        int end = row;
        while (end < m_items.size() && (j == fresh.size() || m_items.at(end).value < fresh.at(j).value))
            ++end;
        if (end > row) {
            beginRemoveRows(QModelIndex(), row, end - 1);
            m_items.erase(m_items.begin() + row, m_items.begin() + end);
            endRemoveRows();
            continue;
        }
        int last = j;
        while (last < fresh.size() && (row == m_items.size() || fresh.at(last).value < m_items.at(row).value))
            ++last;
        if (last > j) {
            beginInsertRows(QModelIndex(), row, row + (last - j) - 1);
            for (int k = j; k < last; ++k)
                m_items.insert(row + (k - j), fresh.at(k));
            endInsertRows();
            row += last - j;
            j = last;
            continue;
        }
        ++row; // the same value in both: it keeps its mark
        ++j;
    }
}

int CheckedItemModelByTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

Qt::ItemFlags CheckedItemModelByTable::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | (m_itemsCheckable ? Qt::ItemIsUserCheckable : Qt::NoItemFlags);
}

QVariant CheckedItemModelByTable::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Item& item = m_items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.value;
    case Qt::CheckStateRole:
        return m_itemsCheckable ? QVariant(item.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    default:
        return QVariant();
    }
}

bool CheckedItemModelByTable::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole)
        return false;
    if (!index.isValid()) {
        beginResetModel();
        for (Item& item : m_items)
            item.checked = value.toInt() != 0;
        endResetModel();
        return true;
    }
    if (!checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (m_items.at(index.row()).checked == checked)
        return false;
    m_items[index.row()].checked = checked;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}
