#pragma once

#include "core/db/record.h"
#include "views/iview.h"
#include "views/qtablefastview.h"

class HeldRowsModel;
class ItemModelWithDelegates;
class ReadingHold;
class TableFastViewPrivate;
class TableIndexModel;
class ViewWrapper;

// The terminal's standard table window: the fast view as a host view over a model with column delegates. It
// stores and restores its column layout, the current record and the scroll position, keeps the current record
// across the model's rebuilds, offers the column width actions in its menus and carries the copy and export
// actions (its ViewWrapper). Over a model of another kind it is a plain fast view with the fit-all action.
class BASIC_VIEWS_EXPORT TableFastView : public QTableFastView, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
    Q_DECLARE_PRIVATE_D(m_d, TableFastView)
public:
    explicit TableFastView(QWidget* parent = nullptr);
    ~TableFastView() override;

    void setModel(QAbstractItemModel* model) override;
    // The model as a table model; null for another kind.
    TableIndexModel* model() const;
    ItemModelWithDelegates* delegatesModel() const;

    // The record of a row of the view (the view may show a held order of the model's rows).
    Record recordAt(const QModelIndex& index) const;
    // The view's row of a record; -1 when it shows none.
    int rowOf(const Record& record) const;
    // The current row's record; the empty handle without one.
    Record currentRecord() const;
    // The current record's key text ("k1,k2"); empty without one.
    QString currentText() const;
    int currentColumn() const;
    // Makes the record with the key text current in `column` (or the first shown column when that one is
    // hidden or missing); a key that is gone changes nothing.
    void setCurrentText(const QString& text, int column);
    void setCurrentRecord(const Record& record, int column);

    ViewWrapper* wrapper() const;
    // Takes ownership; the previous wrapper is deleted.
    void setWrapper(ViewWrapper* wrapper);
    QAction* fitAllAction() const;
    // Holding the rows still while the trader reads them; off by default, stored as "holdWhileReading".
    ReadingHold* readingHold() const;

    // The header's menu: "Подобрать ширину '<column>'" and "Подобрать ширину всех столбцов".
    virtual void populateActionsForColumn(int column, QMenu* menu);
    // A cell's menu: the same for the cell's column.
    virtual void populateActionsForIndex(const QModelIndex& index, QMenu* menu);

    // The keys whose change needs no rebuild of the model.
    QStringList skipBuildSettings(const Settings& values) const;
    // The column layout and sort, before the model is rebuilt.
    virtual void restorePre(const Settings& values);
    // The current record and scroll position, after it.
    virtual void restorePost(const Settings& values);

    static void storeHeader(const QHeaderView* header, const QAbstractItemModel* model, Settings& settings);
    static void restoreHeader(QHeaderView* header, QAbstractItemModel* model, const Settings& settings);

    // IView
    void initCore(ICore* core) override;
    // The view's own options and its columns.
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    // Rebuilds the model only when a key that shapes its rows changed.
    void restore(const Settings& defaults, const Settings& values) override;
    // Half the screen each way.
    QSize defaultSize() const override;
    QList<QToolBar*> toolBars() override;
    void addToolBar(QToolBar* toolBar);

public Q_SLOTS:
    // The model's update brackets. The view needs nothing from them: its repaint pacer already merges a batch's
    // changed cells into one frame.
    void beginUpdates() { }
    void endUpdates() { }

protected:
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void resizeAColumnToContents();
    void onModelAboutToBeReset();
    void onModelReset();

private:
    void retranslate();
    QAction* fitWidthAction(int column, QMenu* menu);
    // The model itself, or the held rows over it while reading holds are on; the layout and current record
    // survive the change.
    void installShownModel();

    QScopedPointer<TableFastViewPrivate> m_d;
};
