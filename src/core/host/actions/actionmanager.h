#pragma once

#include "core/host/bv_host_export.h"

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QObject>

class Command;
class CommandContainer;

// The terminal's commands and command containers by id; the process-wide instance lives on the GUI thread.
class BV_HOST_EXPORT ActionManager : public QObject
{
    Q_OBJECT
public:
    static ActionManager* instance();

    // The command under an id, made on first request.
    Command* command(const QString& id);
    // Null for an id nobody asked for yet.
    Command* findCommand(const QString& id) const;
    // Defines a command's look once; returns the command.
    Command* registerCommand(const QString& id, const QString& text, const QIcon& icon = QIcon(),
        const QKeySequence& shortcut = QKeySequence());
    QStringList commandIds() const;

    // Containers register themselves; null for an unknown id.
    CommandContainer* container(const QString& id) const;
    void addContainer(CommandContainer* container);
    void removeContainer(CommandContainer* container);

private:
    ActionManager();

    QHash<QString, Command*> m_commands; // owned through the QObject parent
    QHash<QString, CommandContainer*> m_containers; // not owned
};
