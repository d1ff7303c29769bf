#include "core/host/widgets/comboboxsorted.h"

#include <QCollator>
#include <QSortFilterProxyModel>

namespace {

// Names sort as people read them: "Board 10" after "Board 9", letters by the locale's alphabet.
class CollatingProxyModel : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setCaseSensitivity(Qt::CaseSensitivity cs)
    {
        m_collator.setCaseSensitivity(cs);
        m_collator.setNumericMode(true);
        setSortCaseSensitivity(cs);
    }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const QVariant a = left.data(sortRole());
        const QVariant b = right.data(sortRole());
        if (a.type() == QVariant::String || b.type() == QVariant::String)
            return m_collator.compare(a.toString(), b.toString()) < 0;
        return QSortFilterProxyModel::lessThan(left, right);
    }

private:
    QCollator m_collator;
};

} // namespace

ComboBoxSorted::ComboBoxSorted(QWidget* parent)
    : QComboBox(parent)
    , m_sorted(new CollatingProxyModel(this))
{
    m_sorted->setDynamicSortFilter(true);
}

void ComboBoxSorted::setSortedModel(
    QAbstractItemModel* model, int column, int role, Qt::CaseSensitivity caseSensitivity, bool ascending)
{
    static_cast<CollatingProxyModel*>(m_sorted)->setCaseSensitivity(caseSensitivity);
    m_sorted->setSourceModel(model);
    m_sorted->setSortRole(role);
    m_sorted->sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    setModel(m_sorted);
    setModelColumn(column);
}

QAbstractItemModel* ComboBoxSorted::sourceModel() const
{
    return m_sorted->sourceModel();
}

QModelIndex ComboBoxSorted::currentSourceIndex() const
{
    if (currentIndex() < 0)
        return QModelIndex();
    return m_sorted->mapToSource(m_sorted->index(currentIndex(), modelColumn()));
}
