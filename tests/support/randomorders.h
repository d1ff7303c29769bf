#pragma once

#include "livetable.h"

#include <QRandomGenerator>
#include <QSet>

// Random changes to a live orders table, replayable from a seed: single inserts, removals and ticks, and batches
// mixing them. Few accounts ("b", "A", "c", "B2"), prices (100..107) and small numbers, so that groups, ties and
// moves between groups keep happening.
class RandomOrders
{
public:
    // Ticks change one of `fields`: "price", "account", "buysell", or a small number for any other field.
    RandomOrders(LiveTable& table, quint32 seed, const QStringList& fields)
        : rng(seed)
        , live(table)
        , m_fields(fields)
    { }

    QString price() { return QString::number(100 + rng.bounded(8)) + QStringLiteral(".00"); }
    QString account() { return m_accounts.at(int(rng.bounded(m_accounts.size()))); }
    QString side() { return rng.bounded(3) == 0 ? QStringLiteral("S") : QStringLiteral("B"); }
    qint64 anyKey() { return keys.at(int(rng.bounded(keys.size()))); }

    // `n` new orders in one batch.
    void fill(int n)
    {
        for (int i = 0; i < n; ++i)
            stageInsert();
        live.commit();
    }
    void insert()
    {
        live.insert(m_nextKey, price(), account());
        keys << m_nextKey++;
    }
    void remove()
    {
        const qint64 key = anyKey();
        live.remove(key);
        keys.removeOne(key);
    }
    void tick(qint64 key, bool staged = false)
    {
        const QString field = m_fields.at(int(rng.bounded(m_fields.size())));
        // A text input views its string: the string must outlive it.
        const QString text = field == QLatin1String("price") ? price()
            : field == QLatin1String("account")              ? account()
                                                             : side();
        const bool isText
            = field == QLatin1String("price") || field == QLatin1String("account") || field == QLatin1String("buysell");
        const FieldInput value = isText ? FieldInput(text) : FieldInput(qint64(rng.bounded(3)));
        const QByteArray name = field.toLatin1();
        if (staged)
            live.stageTick(key, name.constData(), value);
        else
            live.tick(key, name.constData(), value);
    }
    // Up to `most` inserts, removals and ticks of distinct orders, committed at once.
    void batch(int most)
    {
        QSet<qint64> touched;
        const QList<qint64> existing = keys; // orders staged in this batch are not in the table yet
        for (int i = 0, n = 1 + int(rng.bounded(most)); i < n; ++i) {
            const int op = int(rng.bounded(4));
            const qint64 key = existing.at(int(rng.bounded(existing.size())));
            if (op == 0) {
                stageInsert();
            } else if (!touched.contains(key)) {
                touched << key;
                if (op == 1) {
                    live.stageRemove(key);
                    keys.removeOne(key);
                } else {
                    tick(key, true);
                }
            }
        }
        live.commit();
    }

    // Kind 0: an insert (also while few orders are left), 1: a removal, 2..5: a tick, 6..8: a batch of up to
    // `most` changes. Returns what it did.
    QString change(int kind, int most)
    {
        if (kind == 0 || keys.size() < 5) {
            insert();
            return QStringLiteral("insert");
        }
        if (kind == 1) {
            remove();
            return QStringLiteral("remove");
        }
        if (kind <= 5) {
            tick(anyKey());
            return QStringLiteral("tick");
        }
        batch(most);
        return QStringLiteral("batch");
    }

    QRandomGenerator rng;
    QList<qint64> keys;

private:
    void stageInsert()
    {
        live.stageInsert(m_nextKey, price(), account(), side());
        keys << m_nextKey++;
    }

    LiveTable& live;
    QStringList m_fields;
    const QStringList m_accounts
        = { QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("c"), QStringLiteral("B2") };
    qint64 m_nextKey = 1;
};
