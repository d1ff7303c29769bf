#include "core/host/actions/actionmanager.h"

#include "core/host/actions/command.h"
#include "core/host/actions/commandcontainer.h"

#include <QCoreApplication>

ActionManager* ActionManager::instance()
{
    static ActionManager* manager = new ActionManager;
    return manager;
}

// Commands outlive every window, and windows' actions reach the manager from their destructors, so the
// manager lives as long as the process.
ActionManager::ActionManager()
{
    if (QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
}

Command* ActionManager::command(const QString& id)
{
    Command*& command = m_commands[id];
    if (!command)
        command = new Command(id, this);
    return command;
}

Command* ActionManager::findCommand(const QString& id) const
{
    return m_commands.value(id);
}

Command* ActionManager::registerCommand(
    const QString& id, const QString& text, const QIcon& icon, const QKeySequence& shortcut)
{
    Command* c = command(id);
    c->setText(text);
    c->setIcon(icon);
    c->setShortcut(shortcut);
    return c;
}

QStringList ActionManager::commandIds() const
{
    QStringList ids = m_commands.keys();
    ids.sort();
    return ids;
}

CommandContainer* ActionManager::container(const QString& id) const
{
    return m_containers.value(id);
}

void ActionManager::addContainer(CommandContainer* container)
{
    m_containers.insert(container->id(), container);
}

void ActionManager::removeContainer(CommandContainer* container)
{
    if (m_containers.value(container->id()) == container)
        m_containers.remove(container->id());
}
