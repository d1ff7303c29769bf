#pragma once

#include "core/db/mapsettings.h"
#include "delegates/viewscolormanager.h"
#include "views/iview.h"

#include <QSharedPointer>
#include <QWidget>

#include <memory>

class ColumnTotalsModel;
class ExporterProxyModel;
class FiltersToolBar;
class FrozenRowView;
class IndexModelFilterRecord;
class InstrumentPicks;
class ItemViewFindToolBar;
class PicksLink;
class QAction;
class Record;
class SecurityActions;
class Table;
class TableFastViewWithFilter;
class TableEventAlerts;
class TableIndexModel;
class ViewWrapper;
template<class Base>
class SessionFilterModel;

// One table window of the terminal: a table's records in a live model with the catalogue's columns and
// filters, shown by the filtering table view; orders and deals on their side's colours. Orders, deals and instruments
// have a filter bar above the rows, positions a totals row under them; Ctrl+F opens a find bar under the rows; "Снимок"
// opens a frozen copy of them. Rows sort by a click on a column's header; the header's and the cells' menus set the
// filters, copies and exports, and start a dynamic export. Its state (columns, sort, filters, current record, scroll
// position, dynamic export, alerts, the shown pick) is stored and restored by the host.
class TableWindow : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    // Trading shows the instruments' quotes first with live prices; Reference every column in table order.
    enum class Arrangement { Trading, Reference };

    TableWindow(Table* table, Arrangement arrangement = Arrangement::Trading, QWidget* parent = nullptr);
    // Over the caller's model of a table (an editable one, say); the window takes it as its child.
    TableWindow(TableIndexModel* model, Arrangement arrangement, QWidget* parent = nullptr);

    TableIndexModel* model() const { return m_model; }
    TableFastViewWithFilter* view() const { return m_view; }
    ViewWrapper* wrapper() const;
    // The filter bar; null for windows without one.
    FiltersToolBar* filtersToolBar() const { return m_toolBar; }
    // The totals row; null for windows without one.
    FrozenRowView* totalsView() const { return m_totals; }
    // The alerts on the trader's own deals (deals window) or orders (orders window); null for other windows.
    TableEventAlerts* alerts() const { return m_alerts; }
    // The find bar under the rows, hidden until Ctrl+F.
    ItemViewFindToolBar* findBar() const { return m_findBar; }
    // "Только текущая сессия" of the instruments (checkable, on the filter bar and in the menus); null elsewhere.
    QAction* currentSessionAction() const { return m_currentSession; }
    // Sets a filter of the window by its name ("Тип операции") to a value in its stored form and turns it on;
    // false when the window has no such filter or the value names nothing.
    bool presetFilter(const QString& name, const QString& value);
    // Shows only the rows of the instruments (text ids joined with "|"); false when the window cannot.
    bool filterToInstruments(const QString& textIds);
    // The commands on the instruments of the selected rows, in the rows' menu and on a double click.
    SecurityActions* securityActions() const { return m_securityActions; }
    // The text id of the instrument of the window's current row; empty without a window, a row or an instrument.
    static QString instrumentOf(const TableWindow* window);
    // The columns the window exports, as the file export takes them.
    QSharedPointer<ExporterProxyModel> exportModel() const;
    // Whether the bid, offer and last prices flash as they move (the instruments' quotes).
    bool showsLivePrices() const { return m_livePrices; }
    // An instruments window offers the trader's pick in its menu and can show only the picked instruments.
    void setPicks(InstrumentPicks* picks);
    // Null for other windows and before setPicks().
    PicksLink* picksLink() const { return m_picksLink; }
    // "Снимок": a frozen copy of the rows beside the window.
    QAction* snapshotAction() const { return m_snapshot; }

    void initCore(ICore* core) override;
    // The view's pages (its options and columns), the filters page and, with alerts, the visual and sound pages.
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    // The instrument commands and a change of the order under the pointer, then the view's menu (`at` is in this
    // window's coordinates).
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    // Without defaults of the window kind the window keeps the order it opens in.
    void restoreDefault(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;
    // Reads the rows the first time the window is wanted: shown, or handed to the host (a window made and
    // restored reads them once, with its stored state). Does nothing later.
    void ensureBuilt();

protected:
    void showEvent(QShowEvent* event) override;
    // The view carries the window's title: its copies and exports are named after it. A new language goes to
    // the window's actions and tool bar.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void arrangeInstruments();
    void addFiltersToolBar();
    void addTotalsRow();
    // Rows on their side's colours of the window kind's colour page.
    void colourBySide(ViewsColorManager::View kind);
    void addFindBar();
    // The instruments can be restricted to the current session.
    void addCurrentSessionSwitch();
    // "Change order" for an active order of the orders window.
    void offerOrderChange(const Record& order, QMenu* menu);
    void fitColumns();

    SessionFilterModel<IndexModelFilterRecord>* m_instruments; // the model, for the instruments; null elsewhere
    TableIndexModel* m_model;
    TableFastViewWithFilter* m_view;
    QAction* m_currentSession = nullptr;
    FiltersToolBar* m_toolBar = nullptr;
    FrozenRowView* m_totals = nullptr;
    ItemViewFindToolBar* m_findBar = nullptr;
    QAction* m_findAction = nullptr;
    ColumnTotalsModel* m_totalsModel = nullptr;
    TableEventAlerts* m_alerts = nullptr;
    SecurityActions* m_securityActions = nullptr;
    bool m_livePrices = false;
    PicksLink* m_picksLink = nullptr;
    QAction* m_snapshot;
    // What a restore before the first build leaves for it: the current record and the scroll place.
    std::unique_ptr<MapSettings> m_pendingPlace;
    bool m_layoutRestored = false;
};
