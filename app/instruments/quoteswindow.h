#pragma once

#include "core/host/securitykey.h"

#include <QWidget>

class OrderBookModel;
class QTableView;
class Table;

// The quotes (depth of the order book) of one instrument: offers above, bids below, the trader's own lots beside
// them, live as orders arrive, trade and are withdrawn.
class QuotesWindow : public QWidget
{
    Q_OBJECT
public:
    QuotesWindow(Table* orders, const SecurityKey& key, const QString& ownLogin, QWidget* parent = nullptr);

    OrderBookModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }

protected:
    // The spread comes to the middle of the window when it first shows.
    void showEvent(QShowEvent* event) override;
    // A language change names the window and its columns again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    OrderBookModel* m_model;
    QTableView* m_view;
    QString m_name; // the instrument's
    bool m_centred = false;
};
