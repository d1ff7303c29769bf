#pragma once

#include <QSharedPointer>
#include <QWidget>

class ExporterProxyModel;
class ItemDelegateUpDown;
class QTableFastView;
class Table;
class TableIndexModel;

// One window of the terminal: a table's records in a live model, shown by the fast view with the catalogue's
// columns; instruments' live prices flash when they move. Rows sort by a click on a column's header; the view's
// context menu sets the window's filters and copies or exports what the window shows.
class TableWindow : public QWidget
{
    Q_OBJECT
public:
    TableWindow(Table* table, QWidget* parent = nullptr);

    TableIndexModel* model() const { return m_model; }
    // Sets a filter of the window by its name ("Тип операции") to a value in its stored form and turns it on;
    // false when the window has no such filter or the value names nothing.
    bool presetFilter(const QString& name, const QString& value);
    QTableFastView* view() const { return m_view; }
    // The shown columns in the order the user sees them, for copy and export.
    QSharedPointer<ExporterProxyModel> exportModel() const;
    // Copies the window to the clipboard; asks for a file and exports the window to it.
    void copyToClipboard();
    void exportToFile();

private:
    void offerCopyAndExport();
    void showLivePrices();
    void arrangeInstruments();
    void offerColumnMenu();
    void offerFilterMenu();

    TableIndexModel* m_model;
    QTableFastView* m_view;
    ItemDelegateUpDown* m_flash = nullptr;
};
