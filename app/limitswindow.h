#pragma once

#include "tablewindow.h"

#include <QPointer>

class MoneyLimits;
class QUndoCommand;
class UndoEditModel;

// The window of the clients' money limits: limits, used amounts and comments are edited in place (a double
// click or typing opens the cell, Enter takes the value, Esc drops it); accounts, the key, are not. Every change
// goes on the terminal's undo stack: a cell, an added account, one deleted row or "clear all" one step each; a
// pasted block or several deleted rows one transaction, undone as one. A paste that a cell refuses changes
// nothing and says why under the current cell. The steps are named to follow "Отменить" and "Повторить" in the
// menus. While the limits are a recording's nothing is edited, and the commands are off with the reason.
class LimitsWindow : public TableWindow
{
    Q_OBJECT
public:
    explicit LimitsWindow(MoneyLimits* limits, QWidget* parent = nullptr);

    // A row for the account, limit and used amount 0, made current; false when the account has one.
    bool addAccount(const QString& account);
    void deleteRows(const QList<Record>& records);
    // Tab-separated cells, a line per row, put from the current cell on across the shown columns (what lies past
    // the last row or column is left out); false with the reason when a cell refuses its value.
    bool paste(const QString& text, QString* error);
    void clearAll();

    // False while the limits are a recording's: every edit above is then refused, and its actions say why.
    bool isEditable() const;

    QList<QAction*> getActions() override;
    // The stack's undo and redo, the table's commands, then the table window's own.
    void populateActionsAt(const QPoint& at, QMenu* menu) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void push(QUndoCommand* command);
    void chooseAccount();
    void deleteSelectedRows();
    void pasteClipboard();
    // A tool tip under the current cell.
    void tell(const QString& text);

    QPointer<MoneyLimits> m_limits;
    UndoEditModel* m_editModel; // the window's model
    QAction* m_add;
    QAction* m_delete;
    QAction* m_paste;
    QAction* m_clear;
};
