#include "core/host/itransactionsender.h"

RawTransaction::RawTransaction(const TransactionDescription& description, const Values& values, quint64 id)
    : m_description(description)
    , m_values(values)
    , m_id(id)
{
    m_timer.start();
}

ITransactionSender::~ITransactionSender() = default;
