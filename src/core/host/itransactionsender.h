#pragma once

#include "core/host/bv_host_export.h"

#include <QElapsedTimer>
#include <QMap>
#include <QMetaType>
#include <QSharedPointer>
#include <QStringList>
#include <QVariant>

// Parameters of a transaction (and of the order dialogs) by name.
using Values = QMap<QString, QVariant>;

// What a market accepts as one kind of transaction, and the parameters it needs.
struct BV_HOST_EXPORT TransactionDescription
{
    int stockId = 0;
    int kind = 0;
    QString name;
    QStringList required;
    QStringList optional;
};

// A transaction built from a description and values, ready to be queued. Its timer measures how long it waits.
class BV_HOST_EXPORT RawTransaction
{
public:
    RawTransaction(const TransactionDescription& description, const Values& values, quint64 id);

    const TransactionDescription& description() const { return m_description; }
    const Values& values() const { return m_values; }
    quint64 id() const { return m_id; }
    void restartTimer() { m_timer.start(); }
    qint64 elapsedMs() const { return m_timer.isValid() ? m_timer.elapsed() : 0; }

private:
    TransactionDescription m_description;
    Values m_values;
    quint64 m_id;
    QElapsedTimer m_timer;
};

using RawTransactionPtr = QSharedPointer<RawTransaction>;
Q_DECLARE_METATYPE(RawTransactionPtr)

// The host's transaction sender. Every operation throws a QString message (Russian) on failure.
class BV_HOST_EXPORT ITransactionSender
{
public:
    virtual ~ITransactionSender();
    virtual TransactionDescription description(int stockId, int kind) const = 0;
    virtual RawTransactionPtr build(const TransactionDescription& description, const Values& values) = 0;
    // True when the transaction was queued for sending.
    virtual bool queue(const RawTransactionPtr& transaction) = 0;
    // The login the terminal's transactions go under, which its own orders carry; empty when the host keeps it.
    virtual QString login() const { return QString(); }
};
