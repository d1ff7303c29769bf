#include "models/checkeditemmodelbytable.h"

#include "models/private/checkeditemmodelbytable_p.h"

#include <algorithm>

CheckedItemModelByTable::CheckedItemModelByTable(QObject* parent)
    : QAbstractListModel(parent)
    , m_d(new CheckedItemModelByTablePrivate)
{ }

CheckedItemModelByTable::~CheckedItemModelByTable() = default;

bool CheckedItemModelByTable::itemsCheckable() const
{
    return m_d->itemsCheckable;
}

void CheckedItemModelByTable::setItemsCheckable(bool checkable)
{
    if (checkable == m_d->itemsCheckable)
        return;
    m_d->itemsCheckable = checkable;
    if (!m_d->items.isEmpty())
        Q_EMIT dataChanged(index(0), index(m_d->items.size() - 1));
}

QStringList CheckedItemModelByTable::values() const
{
    QStringList all;
    for (const Item& item : m_d->items)
        all << item.value;
    return all;
}

QStringList CheckedItemModelByTable::checkedValues() const
{
    QStringList checked;
    for (const Item& item : m_d->items) {
        if (item.checked)
            checked << item.value;
    }
    return checked;
}

bool CheckedItemModelByTable::allMarked(bool checked) const
{
    return std::all_of(
        m_d->items.begin(), m_d->items.end(), [checked](const Item& item) { return item.checked == checked; });
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
    if (m_d->items.isEmpty() || fresh.isEmpty()) {
        if (!m_d->items.isEmpty()) {
            beginRemoveRows(QModelIndex(), 0, m_d->items.size() - 1);
            m_d->items.clear();
            endRemoveRows();
        } else if (!fresh.isEmpty()) {
            beginInsertRows(QModelIndex(), 0, fresh.size() - 1);
            m_d->items = fresh;
            endInsertRows();
        }
        return;
    }
    // Both lists ascend: one walk finds the runs that went (removed where they stand) and those that came
    // (inserted where they belong).
    int row = 0;
    int j = 0;
    while (row < m_d->items.size() || j < fresh.size()) {
        int end = row;
        while (end < m_d->items.size() && (j == fresh.size() || m_d->items.at(end).value < fresh.at(j).value))
            ++end;
        if (end > row) {
            beginRemoveRows(QModelIndex(), row, end - 1);
            m_d->items.erase(m_d->items.begin() + row, m_d->items.begin() + end);
            endRemoveRows();
            continue;
        }
        int last = j;
        while (last < fresh.size() && (row == m_d->items.size() || fresh.at(last).value < m_d->items.at(row).value))
            ++last;
        if (last > j) {
            beginInsertRows(QModelIndex(), row, row + (last - j) - 1);
            for (int k = j; k < last; ++k)
                m_d->items.insert(row + (k - j), fresh.at(k));
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
    return parent.isValid() ? 0 : m_d->items.size();
}

Qt::ItemFlags CheckedItemModelByTable::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | (m_d->itemsCheckable ? Qt::ItemIsUserCheckable : Qt::NoItemFlags);
}

QVariant CheckedItemModelByTable::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Item& item = m_d->items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.value;
    case Qt::CheckStateRole:
        return m_d->itemsCheckable ? QVariant(item.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
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
        for (Item& item : m_d->items)
            item.checked = value.toInt() != 0;
        endResetModel();
        return true;
    }
    if (!checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (m_d->items.at(index.row()).checked == checked)
        return false;
    m_d->items[index.row()].checked = checked;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}
