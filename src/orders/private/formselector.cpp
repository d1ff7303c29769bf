#include "orders/private/formselector.h"

#include "orders/newordertransactions.h"
#include "orders/private/futorder.h"

#include <QStackedLayout>

FormSelector::FormSelector(QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedLayout(this))
    , m_empty(new QWidget(this))
{
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->setSpacing(6);
    m_stack->addWidget(m_empty);
    registerForm(1, [](QWidget* parent) { return new FutureForm(parent); });
}

void FormSelector::registerForm(int stock, const FormMaker& maker)
{
    m_makers.insert(stock, maker);
}

void FormSelector::setForm(int stock)
{
    if (!m_makers.contains(stock)) {
        m_current = nullptr;
        m_stack->setCurrentWidget(m_empty);
        Q_EMIT changedForm(nullptr);
        return;
    }
    AddOrder* form = m_forms.value(stock);
    if (!form) {
        form = m_makers.value(stock)(this);
        form->setStockId(stock);
        m_forms.insert(stock, form);
        m_stack->addWidget(form);
    }
    m_current = form;
    m_stack->setCurrentWidget(form);
    Q_EMIT changedForm(form);
}

int FormSelector::transactionId(int stock, int board, bool iceberg)
{
    return NewOrderTransactions::transactionId(stock, board, iceberg);
}
