#include "core/host/actions/action.h"

#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"

Action::Action(const QString& id, QObject* parent)
    : QAction(parent)
    , m_id(id)
{
    setObjectName(id);
    setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Command* command = ActionManager::instance()->command(id);
    command->decorate(this);
    command->addAction(this);
}

Action::~Action()
{
    if (Command* command = ActionManager::instance()->findCommand(m_id))
        command->removeAction(this);
}
