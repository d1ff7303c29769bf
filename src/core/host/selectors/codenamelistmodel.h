#pragma once

#include "core/host/bv_host_export.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

// Entries of a selector: a code, a name and an id. Column 0 shows the code, column 1 the code with the name,
// which is what a user types parts of; the id is under Qt::UserRole in both. Finding a code is a hash lookup,
// so lists of tens of thousands of instruments cost nothing per key.
class BV_HOST_EXPORT CodeNameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Entry
    {
        QString code;
        QString name;
        QString id;
        bool operator==(const Entry& other) const { return code == other.code && name == other.name && id == other.id; }
    };
    enum Column { CodeColumn = 0, SearchColumn = 1 };

    explicit CodeNameListModel(QObject* parent = nullptr);

    // One model reset.
    void setEntries(const QVector<Entry>& entries);
    const QVector<Entry>& entries() const { return m_entries; }
    const Entry& entry(int row) const { return m_entries.at(row); }
    // The row of a code, case ignored; -1 when no entry has it.
    int rowOfCode(const QString& code) const;
    // The row of an id; -1 when none.
    int rowOfId(const QString& id) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QVector<Entry> m_entries;
    QHash<QString, int> m_byCode; // upper-case code -> first row
    QHash<QString, int> m_byId;
};
