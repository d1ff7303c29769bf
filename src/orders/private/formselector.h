#pragma once

#include "basic_views_export.h"

#include <QMap>
#include <QWidget>

#include <functional>

class AddOrder;
class QStackedLayout;

// The order form of the chosen market: made once per market by the maker registered for it and kept; an empty
// page for a market without a form. It also answers which transaction makes a new order where.
class BASIC_VIEWS_EXPORT FormSelector : public QWidget
{
    Q_OBJECT
public:
    using FormMaker = std::function<AddOrder*(QWidget* parent)>;

    explicit FormSelector(QWidget* parent = nullptr);

    // Market 1 is registered from the start.
    void registerForm(int stock, const FormMaker& maker);
    AddOrder* currentForm() const { return m_current; }

    // The new-order transaction of a market, board and order kind (NewOrderTransactions); 0 when there is none.
    static int transactionId(int stock, int board, bool iceberg);

public Q_SLOTS:
    // Shows the market's form (making it the first time) and emits changedForm(); the empty page and
    // changedForm(nullptr) for a market without one.
    void setForm(int stock);

Q_SIGNALS:
    void changedForm(AddOrder* form);

private:
    QStackedLayout* m_stack;
    QWidget* m_empty;
    QMap<int, FormMaker> m_makers;
    QMap<int, AddOrder*> m_forms;
    AddOrder* m_current = nullptr;
};
