#include "core/host/actions/commandcontainer.h"

#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"

#include <QMenu>
#include <QToolBar>

CommandContainer::CommandContainer(const QString& id, QObject* parent)
    : QObject(parent)
    , m_id(id)
{
    setObjectName(id);
    ActionManager::instance()->addContainer(this);
}

CommandContainer::~CommandContainer()
{
    ActionManager::instance()->removeContainer(this);
}

void CommandContainer::addCommand(const QString& commandId)
{
    m_items << commandId;
}

void CommandContainer::addSeparator()
{
    m_items << QString();
}

namespace {

// Tool bars and menus take the same items the same way.
template<typename Bar>
Bar* fill(Bar* bar, const QString& id, const QStringList& items)
{
    bar->setObjectName(id);
    for (const QString& item : items) {
        if (item.isEmpty())
            bar->addSeparator();
        else
            bar->addAction(ActionManager::instance()->command(item)->commandAction());
    }
    return bar;
}

} // namespace

QToolBar* CommandContainer::createToolBar(QWidget* parent)
{
    return fill(new QToolBar(parent), m_id, m_items);
}

QMenu* CommandContainer::createMenu(QWidget* parent)
{
    return fill(new QMenu(parent), m_id, m_items);
}
