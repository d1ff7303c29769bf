#pragma once

#include "actions/securityprop.h"
#include "basic_views_export.h"
#include "columns/itemmodelwithdelegates.h"
#include "core/db/record.h"
#include "core/host/securitykey.h"

#include <QMap>
#include <QModelIndex>
#include <QObject>
#include <QPointer>
#include <QScopedPointer>
#include <QSet>

#include <functional>

class QAbstractItemView;
class QAction;
class QMenu;
class Table;

class SecurityActionsPrivate;

// The commands on the instruments of the selected rows, the same in every window whose rows name an instrument:
// enter an order, a clearing-house request, all deals, quotes, a chart, the volatility curve, information. Each
// command is a QAction with the properties "ActionType", "ActionWindowId" and "ActionMultyCapable"; a selection
// sets their texts and enabled states and gives the usable ones "ActionInstrument", the selected instruments'
// text ids joined with "|". A trigger opens the new order dialog (after the connection check) or asks the host's
// window manager for a window of the command's kind.
//
// The window commands exist only when the host's action registry knows their command ids. The instrument of a
// row is looked up in the "securities" table by the row's market, board and security ids; the last lookup is
// kept until a new trading session starts.
class BASIC_VIEWS_EXPORT SecurityActions : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SecurityActions)
public:
    enum Type {
        AddOrder = 10,
        QrbRequest = 11,
        AllDeals = 20,
        Quotes = 30,
        Chart = 40,
        VolatilityCurve = 50,
        Information = 60
    };

    explicit SecurityActions(QObject* parent = nullptr);
    // Follows a view: its model (a model of table rows with column delegates, directly or under proxy models),
    // its selection, and its double click, which triggers the default action.
    explicit SecurityActions(QAbstractItemView* view, QObject* parent = nullptr);
    ~SecurityActions() override;

    // Rows are read through the model's columns of "stock_id", "board_id" and "sec_id".
    void setModel(ItemModelWithDelegates* model);
    ItemModelWithDelegates* model() const;
    // For a view that shows the model through a model that is no proxy of it: its index to the model's.
    using IndexMapper = std::function<QModelIndex(const QModelIndex& viewIndex)>;
    void setIndexMapper(IndexMapper mapper);
    // For a view whose rows are records of the model's table that no model with delegates holds (a list of picked
    // records): the record of a view's row. The model then only names the columns.
    using RecordMapper = std::function<Record(const QModelIndex& viewIndex)>;
    void setRecordMapper(RecordMapper mapper);

    // The actions of the available types, by type.
    QList<QAction*> actions() const;
    // Null for a type not created.
    QAction* action(int type) const;
    QAction* defaultAction() const;
    // The default action is shown in bold and triggered by a double click.
    void setDefaultAction(int type);
    void setAvailableTypes(const QSet<int>& types);
    QSet<int> availableTypes() const;

    // Reads the followed view's selection (its current row when nothing is selected) into the actions.
    void updateFromView();
    // The view's selection into the actions, which are added to the menu when a selected row names an
    // instrument.
    void addToMenu(QMenu* menu);

    // The instrument of a row; invalid for a row that names none.
    SecurityProp securityProperties(const QModelIndex& index) const;
    // For one row; an invalid index (several instruments) gives the text without an instrument.
    virtual bool isActionEnabled(const QModelIndex& index, const QAction* action) const;
    virtual QString actionText(const QModelIndex& index, const QAction* action) const;
    virtual QString actionInstrument(const QModelIndex& index, const QAction* action) const;

public Q_SLOTS:
    void onSelectionChanged(const QModelIndexList& indexes);
    void onActivate(const QModelIndex& index);
    // A new trading session: the kept lookup is dropped.
    void aNewSessions();

protected:
    bool event(QEvent* event) override;

private:
    void setup();
    void addAction(int type);
    void onActionTriggered(QAction* action);
    QModelIndex toModel(const QModelIndex& viewIndex) const;
    // The row's record; the empty handle for an index of no row of the model.
    Record recordOf(const QModelIndex& index) const;
    // The row's market, board and security ids as the model's columns hold them; invalid without them.
    SecurityKey keyOf(const Record& record) const;
    QScopedPointer<SecurityActionsPrivate> m_d;
};
