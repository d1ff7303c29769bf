#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QObject>
#include <QPersistentModelIndex>
#include <QStringList>

#include <vector>

// What a view knows of a model from its signals alone: each cell's text, read when its row first appears and
// again only when a dataChanged names the cell; rows followed through inserts, removals, moves and layout changes
// by persistent indexes. stale() lists what the model shows differently from what it told: a cell changed without
// a dataChanged, a row that came without an insert.
class SignalMirror : public QObject
{
public:
    explicit SignalMirror(QAbstractItemModel* model, int role = Qt::DisplayRole)
        : m_model(model)
        , m_role(role)
    {
        // Persistent indexes change their hash as they move: the lookup is made again after any change of rows.
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] { m_lookup.clear(); });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { m_lookup.clear(); });
        connect(model, &QAbstractItemModel::rowsMoved, this, [this] { m_lookup.clear(); });
        // Rows may also come in under a layout change (as with QSortFilterProxyModel::invalidate()): a view reads
        // those afresh, while rows it knew keep what it was told of them.
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
            m_lookup.clear();
            learnRows(QModelIndex(), 0, m_model->rowCount() - 1);
        });
        connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) { learnRows(parent, first, last); });
        connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int, int, const QModelIndex& to, int row) { learnRows(to, row, row); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { learnAll(); });
        connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                    for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
                        const QModelIndex cell = m_model->index(row, column, topLeft.parent());
                        tell(cell, cell.data(m_role).toString(), true);
                    }
                }
            });
        learnAll();
    }

    // "row path, column: told 'x', shows 'y'" per difference; empty when the signals told everything.
    QStringList stale() const
    {
        QStringList differences;
        compare(QModelIndex(), differences);
        return differences;
    }

private:
    struct Cell
    {
        QPersistentModelIndex index;
        QString text;
    };

    // The entry of a cell, made with `text` when new; an entry known before takes `text` only when `replace`.
    void tell(const QModelIndex& cell, const QString& text, bool replace)
    {
        const int at = find(cell);
        if (at < 0) {
            m_lookup.insert(cell, int(m_cells.size()));
            m_cells.push_back({ QPersistentModelIndex(cell), text });
        } else if (replace) {
            m_cells[std::size_t(at)].text = text;
        }
    }
    int find(const QModelIndex& cell) const
    {
        if (m_lookup.isEmpty()) {
            for (std::size_t i = 0; i < m_cells.size(); ++i) {
                if (m_cells[i].index.isValid())
                    m_lookup.insert(m_cells[i].index, int(i));
            }
        }
        return m_lookup.value(cell, -1);
    }
    void learnAll()
    {
        m_cells.clear();
        m_lookup.clear();
        learnRows(QModelIndex(), 0, m_model->rowCount() - 1);
    }
    // Rows already known keep their texts: a moved row's cells are what the signals said of them.
    void learnRows(const QModelIndex& parent, int first, int last)
    {
        for (int row = first; row <= last; ++row) {
            for (int column = 0; column < m_model->columnCount(parent); ++column) {
                const QModelIndex cell = m_model->index(row, column, parent);
                tell(cell, cell.data(m_role).toString(), false);
            }
            const QModelIndex child = m_model->index(row, 0, parent);
            learnRows(child, 0, m_model->rowCount(child) - 1);
        }
    }
    void compare(const QModelIndex& parent, QStringList& differences) const
    {
        for (int row = 0; row < m_model->rowCount(parent); ++row) {
            for (int column = 0; column < m_model->columnCount(parent); ++column) {
                const QModelIndex cell = m_model->index(row, column, parent);
                const int known = find(cell);
                const QString shown = cell.data(m_role).toString();
                if (known < 0)
                    differences
                        << QStringLiteral("%1, %2: never told, shows '%3'").arg(path(cell)).arg(column).arg(shown);
                else if (m_cells[std::size_t(known)].text != shown)
                    differences << QStringLiteral("%1, %2: told '%3', shows '%4'")
                                       .arg(path(cell))
                                       .arg(column)
                                       .arg(m_cells[std::size_t(known)].text, shown);
            }
            compare(m_model->index(row, 0, parent), differences);
        }
    }
    static QString path(const QModelIndex& index)
    {
        QStringList rows;
        for (QModelIndex i = index; i.isValid(); i = i.parent())
            rows.prepend(QString::number(i.row()));
        return rows.join(QLatin1Char('/'));
    }

    QAbstractItemModel* m_model; // not owned
    int m_role;
    std::vector<Cell> m_cells;
    mutable QHash<QModelIndex, int> m_lookup; // current index -> entry; empty until asked after a change of rows
};
