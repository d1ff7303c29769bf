#include "core/host/widgets/objectdeleter.h"

ObjectDeleter::ObjectDeleter(QObject* parent)
    : QObject(nullptr)
{
    if (parent)
        addParent(parent);
}

void ObjectDeleter::addParent(QObject* parent)
{
    if (!parent || m_parents.contains(parent))
        return;
    m_parents.append(parent);
    connect(parent, &QObject::destroyed, this, &ObjectDeleter::onParentDestroyed);
}

void ObjectDeleter::onParentDestroyed(QObject* parent)
{
    m_parents.removeAll(parent);
    if (m_parents.isEmpty())
        delete this;
}
