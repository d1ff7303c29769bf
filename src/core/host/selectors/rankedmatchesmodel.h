#pragma once

#include "core/host/bv_host_export.h"

#include <QSortFilterProxyModel>

#include <functional>

// The rows of a list of codes and names that hold a typed text, best first: the row whose code or name is the
// text, then those starting with it, then those holding it, case ignored as a trader types codes either way; rows
// of one rank keep the list's order. Each row is ranked once per text, however long the list.
class BV_HOST_EXPORT RankedMatchesModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    // The code and the name of a row of the source.
    using Entry = std::function<QPair<QString, QString>(int sourceRow)>;

    RankedMatchesModel(QAbstractItemModel* source, Entry entry, QObject* parent = nullptr);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    enum class Rank : quint8 { Exact, Start, Inside, None };

    // The source's rows changed: their codes and names are read again.
    void readEntries();
    void rankRows();
    Rank rank(int sourceRow) const;

    Entry m_entry;
    QVector<QPair<QString, QString>> m_entries; // by the source's row
    QString m_text;
    QVector<Rank> m_ranks; // by the source's row
};
