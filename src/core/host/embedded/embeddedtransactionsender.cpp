#include "core/host/embedded/embeddedtransactionsender.h"

#include <QTimer>

EmbeddedTransactionSender::EmbeddedTransactionSender(QObject* parent)
    : QObject(parent)
{ }

void EmbeddedTransactionSender::registerDescription(const TransactionDescription& description)
{
    for (TransactionDescription& d : m_descriptions) {
        if (d.stockId == description.stockId && d.kind == description.kind) {
            d = description;
            return;
        }
    }
    m_descriptions << description;
}

void EmbeddedTransactionSender::setExecutor(Executor executor, int delayMs)
{
    m_executor = std::move(executor);
    m_delayMs = delayMs;
}

TransactionDescription EmbeddedTransactionSender::description(int stockId, int kind) const
{
    for (const TransactionDescription& d : m_descriptions) {
        if (d.stockId == stockId && d.kind == kind)
            return d;
    }
    throw tr("Транзакция вида %1 для рынка %2 не найдена").arg(kind).arg(stockId);
}

RawTransactionPtr EmbeddedTransactionSender::build(const TransactionDescription& description, const Values& values)
{
    if (description.name.isEmpty())
        throw tr("Описание транзакции не задано");
    for (const QString& name : description.required) {
        const QVariant v = values.value(name);
        if (!v.isValid() || v.toString().trimmed().isEmpty())
            throw tr("Не задан параметр '%1' транзакции '%2'").arg(name, description.name);
    }
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        if (!description.required.contains(it.key()) && !description.optional.contains(it.key()))
            throw tr("Транзакция '%1' не принимает параметр '%2'").arg(description.name, it.key());
    }
    Values stamped = values;
    const QString loginKey = QStringLiteral("Login");
    if (!m_login.isEmpty() && stamped.value(loginKey).toString().isEmpty()
        && (description.required.contains(loginKey) || description.optional.contains(loginKey)))
        stamped.insert(loginKey, m_login);
    return RawTransactionPtr::create(description, stamped, m_nextId++);
}

bool EmbeddedTransactionSender::queue(const RawTransactionPtr& transaction)
{
    if (!transaction)
        throw tr("Транзакция не построена");
    if (m_connection && !m_connection->isConnected())
        throw tr("Нет подключения к бирже: транзакция не отправлена");
    Q_EMIT transactionQueued(transaction->id());
    if (!m_executor)
        return true;
    m_pending << transaction;
    QTimer::singleShot(m_delayMs, this, &EmbeddedTransactionSender::executeNext);
    return true;
}

void EmbeddedTransactionSender::executeNext()
{
    if (m_pending.isEmpty() || !m_executor)
        return;
    const RawTransactionPtr t = m_pending.takeFirst();
    m_executor(*t);
    Q_EMIT transactionExecuted(t->id());
}
