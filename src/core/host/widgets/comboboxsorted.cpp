#include "core/host/widgets/comboboxsorted.h"

#include <QSortFilterProxyModel>

namespace {

// Names compare as people read them: runs of digits by their value ("Board 9" before "Board 10"), the rest
// by the locale's alphabet.
int naturalCompare(const QString& a, const QString& b, Qt::CaseSensitivity cs)
{
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            const QStringRef da = a.midRef(i, ei - i), db = b.midRef(j, ej - j);
            int za = 0, zb = 0;
            while (za < da.size() - 1 && da.at(za) == QLatin1Char('0'))
                ++za;
            while (zb < db.size() - 1 && db.at(zb) == QLatin1Char('0'))
                ++zb;
            // Without leading zeros, a longer run is a bigger number; equal lengths compare digit by digit.
            const QStringRef va = da.mid(za), vb = db.mid(zb);
            if (va.size() != vb.size())
                return va.size() < vb.size() ? -1 : 1;
            if (const int c = va.compare(vb))
                return c;
            i = ei;
            j = ej;
            continue;
        }
        int ei = i, ej = j;
        while (ei < a.size() && !a.at(ei).isDigit())
            ++ei;
        while (ej < b.size() && !b.at(ej).isDigit())
            ++ej;
        const QString ta = a.mid(i, ei - i), tb = b.mid(j, ej - j);
        const int c = cs == Qt::CaseInsensitive ? QString::localeAwareCompare(ta.toLower(), tb.toLower())
                                                : QString::localeAwareCompare(ta, tb);
        if (c)
            return c;
        i = ei;
        j = ej;
    }
    return (a.size() - i) - (b.size() - j);
}

class NaturalSortProxyModel : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const QVariant a = left.data(sortRole());
        const QVariant b = right.data(sortRole());
        if (a.type() == QVariant::String || b.type() == QVariant::String)
            return naturalCompare(a.toString(), b.toString(), sortCaseSensitivity()) < 0;
        return QSortFilterProxyModel::lessThan(left, right);
    }
};

} // namespace

ComboBoxSorted::ComboBoxSorted(QWidget* parent)
    : QComboBox(parent)
    , m_sorted(new NaturalSortProxyModel(this))
{
    m_sorted->setDynamicSortFilter(true);
}

void ComboBoxSorted::setSortedModel(
    QAbstractItemModel* model, int column, int role, Qt::CaseSensitivity caseSensitivity, bool ascending)
{
    m_sorted->setSortCaseSensitivity(caseSensitivity);
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
