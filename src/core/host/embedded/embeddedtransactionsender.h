#pragma once

#include "core/host/connectionsmanager.h"
#include "core/host/itransactionsender.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

// The host's transaction sender: descriptions registered by market and kind, transactions built when every
// required parameter is there, and a queue handed to an executor (the exchange) from the event loop a few
// milliseconds after queueing, in queueing order. Nothing is queued while the connection it is given is down.
class BV_HOST_EXPORT EmbeddedTransactionSender : public QObject, public ITransactionSender
{
    Q_OBJECT
public:
    using Executor = std::function<void(const RawTransaction&)>;

    explicit EmbeddedTransactionSender(QObject* parent = nullptr);

    void registerDescription(const TransactionDescription& description);
    void setExecutor(Executor executor, int delayMs = 5);
    // Not owned; without one the sender is always connected.
    void setConnection(ConnectionsManager* connection) { m_connection = connection; }

    TransactionDescription description(int stockId, int kind) const override;
    RawTransactionPtr build(const TransactionDescription& description, const Values& values) override;
    bool queue(const RawTransactionPtr& transaction) override;
    QString login() const override { return m_login; }
    // A transaction that takes a "Login" and names none goes under this one, as the gateway signs it.
    void setLogin(const QString& login) { m_login = login; }
    // Queued and not executed yet.
    int pendingCount() const { return m_pending.size(); }

Q_SIGNALS:
    void transactionQueued(quint64 id);
    void transactionExecuted(quint64 id);

private:
    void executeNext();

    QList<TransactionDescription> m_descriptions;
    QList<RawTransactionPtr> m_pending;
    Executor m_executor;
    QPointer<ConnectionsManager> m_connection;
    QString m_login;
    int m_delayMs = 5;
    quint64 m_nextId = 1;
};
