#pragma once

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "ordertable.h"

#include <QAbstractItemModel>
#include <QStringList>

#include <memory>

// A live orders table driven by commands: insert, remove and update-tick single records, or stage any of them
// into a batch that arrives at once; and helpers that print a model's column as one string ("C D A B").
class LiveTable
{
public:
    explicit LiveTable(QObject* parent = nullptr)
        : table(makeOrderTable(parent))
    { }
    ~LiveTable() { delete table; }

    int column(const char* name) const { return table->columnIndex(QString::fromLatin1(name)); }
    Record row(qint64 key) const { return Record(table, QString::number(key)); }

    // Single changes.
    Record insert(qint64 key, const QString& price, const QString& account = QStringLiteral("A"))
    {
        Record r = makeOrder(table, key, price);
        r.data(QStringLiteral("account")) = account;
        r.append();
        return r;
    }
    void remove(qint64 key) { row(key).remove(); }
    void tick(qint64 key, const char* field, const FieldInput& value)
    {
        Record r = row(key);
        r.data(QString::fromLatin1(field)) = value;
        r.updated(column(field));
    }

    // A batch: stage changes, then commit() delivers them at once.
    void stageInsert(qint64 key, const QString& price, const QString& account = QStringLiteral("A"),
        const QString& side = QStringLiteral("B"))
    {
        Record r = makeOrder(table, key, price);
        r.data(QStringLiteral("account")) = account;
        r.data(QStringLiteral("buysell")) = side;
        RecordUpdater(r, trans());
    }
    void stageRemove(qint64 key) { RecordUpdater(row(key), trans()).remove(); }
    void stageTick(qint64 key, const char* field, const FieldInput& value)
    {
        RecordUpdater(row(key), trans()).data(QString::fromLatin1(field)) = value;
    }
    void commit()
    {
        if (m_trans)
            m_trans->commit();
        m_trans.reset();
    }

    // A model column's display texts, top to bottom.
    static QString column(const QAbstractItemModel& model, int column)
    {
        QStringList texts;
        for (int r = 0; r < model.rowCount(); ++r)
            texts << model.index(r, column).data(Qt::EditRole).toString();
        return texts.join(QLatin1Char(' '));
    }

    Table* table;

private:
    RecordsTrans& trans()
    {
        if (!m_trans)
            m_trans = std::make_unique<RecordsTrans>(table);
        return *m_trans;
    }
    std::unique_ptr<RecordsTrans> m_trans;
};
