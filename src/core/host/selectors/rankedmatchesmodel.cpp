#include "core/host/selectors/rankedmatchesmodel.h"

RankedMatchesModel::RankedMatchesModel(QAbstractItemModel* source, Entry entry, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_entry(std::move(entry))
{
    setSourceModel(source);
    // The entries may be refilled while the list is in use.
    connect(source, &QAbstractItemModel::modelReset, this, &RankedMatchesModel::readEntries);
    connect(source, &QAbstractItemModel::rowsInserted, this, &RankedMatchesModel::readEntries);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &RankedMatchesModel::readEntries);
    connect(source, &QAbstractItemModel::layoutChanged, this, &RankedMatchesModel::readEntries);
    connect(source, &QAbstractItemModel::dataChanged, this, &RankedMatchesModel::readEntries);
    readEntries();
    sort(0);
}

void RankedMatchesModel::setText(const QString& text)
{
    const QString typed = text.trimmed();
    if (typed == m_text)
        return;
    m_text = typed;
    rankRows();
}

void RankedMatchesModel::readEntries()
{
    m_entries.resize(sourceModel()->rowCount());
    for (int row = 0; row < m_entries.size(); ++row)
        m_entries[row] = m_entry(row);
    rankRows();
}

void RankedMatchesModel::rankRows()
{
    m_ranks.resize(m_entries.size());
    for (int row = 0; row < m_ranks.size(); ++row) {
        const QString& code = m_entries[row].first;
        const QString& name = m_entries[row].second;
        if (m_text.isEmpty())
            m_ranks[row] = Rank::Start; // all of the list, in its order
        else if (code.compare(m_text, Qt::CaseInsensitive) == 0 || name.compare(m_text, Qt::CaseInsensitive) == 0)
            m_ranks[row] = Rank::Exact;
        else if (code.startsWith(m_text, Qt::CaseInsensitive) || name.startsWith(m_text, Qt::CaseInsensitive))
            m_ranks[row] = Rank::Start;
        else if (code.contains(m_text, Qt::CaseInsensitive) || name.contains(m_text, Qt::CaseInsensitive))
            m_ranks[row] = Rank::Inside;
        else
            m_ranks[row] = Rank::None;
    }
    invalidate();
}

RankedMatchesModel::Rank RankedMatchesModel::rank(int sourceRow) const
{
    // A row the source gained since the last ranking waits for its own.
    return sourceRow < m_ranks.size() ? m_ranks[sourceRow] : Rank::None;
}

bool RankedMatchesModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return rank(sourceRow) != Rank::None;
}

bool RankedMatchesModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const Rank a = rank(left.row());
    const Rank b = rank(right.row());
    return a != b ? a < b : left.row() < right.row();
}
