#include "core/host/actionregistry.h"

#include <QAction>

void ActionRegistry::registerAction(const QString& id, QAction* action)
{
    m_actions.insert(id, action);
}

void ActionRegistry::unregisterAction(const QString& id)
{
    m_actions.remove(id);
}

QAction* ActionRegistry::action(const QString& id) const
{
    return m_actions.value(id);
}

QStringList ActionRegistry::ids() const
{
    QStringList ids;
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        if (it.value())
            ids << it.key();
    }
    return ids;
}
