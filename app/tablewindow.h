#pragma once

#include "views/iview.h"

#include <QSharedPointer>
#include <QWidget>

class ExporterProxyModel;
class Record;
class ItemDelegateUpDown;
class QTableFastView;
class Table;
class TableIndexModel;
class ViewWrapperTable;

// One table view of the terminal: a table's records in a live model, shown by the fast view with the
// catalogue's columns. Rows sort by a click on a column's header; the view's context menu sets the window's
// filters, copies and exports, and starts a dynamic export. Its state (columns, sort, filters, dynamic export)
// is stored and restored by the host.
class TableWindow : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    // Trading shows the instruments' quotes first with live prices; Reference every column in table order.
    enum class Arrangement { Trading, Reference };

    TableWindow(Table* table, Arrangement arrangement = Arrangement::Trading, QWidget* parent = nullptr);

    TableIndexModel* model() const { return m_model; }
    QTableFastView* view() const { return m_view; }
    ViewWrapperTable* wrapper() const { return m_wrapper; }
    // Sets a filter of the window by its name ("Тип операции") to a value in its stored form and turns it on;
    // false when the window has no such filter or the value names nothing.
    bool presetFilter(const QString& name, const QString& value);
    // The columns the window exports, as the file export takes them.
    QSharedPointer<ExporterProxyModel> exportModel() const;

    void initCore(ICore* core) override;
    // The columns page.
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    // The filters, then copy and export.
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    // Columns, sort, filters and the dynamic export.
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    // Without defaults of the window kind the window keeps the order it opens in.
    void restoreDefault(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;

private:
    void showLivePrices();
    void arrangeInstruments();
    void offerColumnMenu();
    void populateFilterMenu(QMenu* menu);
    // "Change order" for an active order of the orders window.
    void offerOrderChange(const Record& order, QMenu* menu);

    TableIndexModel* m_model;
    QTableFastView* m_view;
    ViewWrapperTable* m_wrapper;
    ItemDelegateUpDown* m_flash = nullptr;
};
