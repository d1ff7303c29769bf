#pragma once

#include <QWidget>

class ItemDelegateUpDown;
class QTableFastView;
class Table;
class TableIndexModel;

// One window of the terminal: a table's records in a live model, shown by the fast view with the catalogue's
// columns; instruments' live prices flash when they move. Rows sort by a click on a column's header.
class TableWindow : public QWidget
{
    Q_OBJECT
public:
    TableWindow(Table* table, QWidget* parent = nullptr);

    TableIndexModel* model() const { return m_model; }
    QTableFastView* view() const { return m_view; }

private:
    void showLivePrices();
    void arrangeInstruments();
    void offerColumnMenu();

    TableIndexModel* m_model;
    QTableFastView* m_view;
    ItemDelegateUpDown* m_flash = nullptr;
};
