#pragma once

#include "core/db/table.h"
#include "tablefile.h"

#include <QObject>
#include <QPointer>

class ICore;
class QAction;
class QUndoStack;

// The clients' money limits the trader keeps ("money_limits", which the exchange checks new orders against):
// the undo stack every window of the table edits it through, the undo and redo actions the menus show (Ctrl+Z,
// Ctrl+Shift+Z, with the texts of the commands they take back or do again), and the file "money_limits.json"
// in the configuration folder. The file is read when the terminal starts and written after every step of the
// stack. A file that cannot be read is reported and kept aside, and the table keeps what it had; a write that
// fails is reported and leaves the previous file.
class MoneyLimits : public QObject
{
    Q_OBJECT
public:
    MoneyLimits(Table* table, ICore* core, QObject* parent = nullptr);

    static QString fileName();
    Table* table() const { return m_table; }
    QUndoStack* undoStack() const { return m_stack; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    // While the table holds what a recording replays, the recorded limits are the ones shown: the file is then
    // neither read over the table nor written from it (load() and save() do nothing), nothing is pushed on the
    // stack, undo and redo are off and editReason() says why.
    void setReplayed(bool replayed);
    bool isEditable() const { return !m_replayed; }
    // Why the limits cannot be edited, for the user; empty when they can.
    QString editReason() const;
    bool load();
    bool save();

protected:
    // A language change names the actions again.
    bool event(QEvent* event) override;

private:
    // Enabled and named after the commands they take back or do again.
    void updateActions();

    QPointer<Table> m_table;
    ICore* m_core; // not owned
    TableFile m_file;
    QUndoStack* m_stack;
    QAction* m_undo;
    QAction* m_redo;
    bool m_replayed = false;
};
