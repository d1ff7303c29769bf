#include "core/host/actions/command.h"

#include "core/host/actions/action.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <functional>

namespace {

// The top-level window an action lives in: its parent widget's, or that of the widget it is added to.
QWidget* windowOf(const QAction* action)
{
    if (auto* w = qobject_cast<QWidget*>(action->parent()))
        return w->window();
    const QList<QWidget*> widgets = action->associatedWidgets();
    return widgets.isEmpty() ? nullptr : widgets.first()->window();
}

} // namespace

Command::Command(const QString& id, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_proxy(new QAction(this))
{
    m_proxy->setObjectName(id);
    m_proxy->setEnabled(false);
    connect(m_proxy, &QAction::triggered, this, &Command::onProxyTriggered);
    // The proxy follows the active window: focus moves whenever the active window changes. (A process without
    // widgets has no focus to follow.)
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &Command::updateProxy);
}

Command::~Command() = default;

// A look set on the command goes to every action made under it and to the stand-in.
template<typename T>
void Command::setLook(T Command::*member, const T& value, void (QAction::*setter)(const T&))
{
    this->*member = value;
    for (const QPointer<Action>& a : qAsConst(m_actions)) {
        if (a)
            (a->*setter)(value);
    }
    (m_proxy->*setter)(value);
}

void Command::setText(const QString& text)
{
    setLook(&Command::m_text, text, &QAction::setText);
}

void Command::setIcon(const QIcon& icon)
{
    setLook(&Command::m_icon, icon, &QAction::setIcon);
}

void Command::setToolTip(const QString& toolTip)
{
    setLook(&Command::m_toolTip, toolTip, &QAction::setToolTip);
}

// The stand-in takes no shortcut: the key acts through the action of the window holding the focus, and two
// actions on one key in one window would make it ambiguous.
void Command::setShortcut(const QKeySequence& shortcut)
{
    setLook(&Command::m_shortcut, shortcut, &QAction::setShortcut);
    m_proxy->setShortcut(QKeySequence());
}

void Command::decorate(QAction* action) const
{
    if (!m_text.isEmpty())
        action->setText(m_text);
    if (!m_icon.isNull())
        action->setIcon(m_icon);
    if (!m_toolTip.isEmpty())
        action->setToolTip(m_toolTip);
    if (!m_shortcut.isEmpty())
        action->setShortcut(m_shortcut);
}

Action* Command::currentAction() const
{
    const auto latest = [this](const std::function<bool(const QAction*, const QWidget*)>& wanted) -> Action* {
        for (auto it = m_actions.crbegin(); it != m_actions.crend(); ++it) {
            if (*it && wanted(*it, qobject_cast<const QWidget*>((*it)->parent())))
                return *it;
        }
        return nullptr;
    };
    const auto holds = [](const QWidget* owner, const QWidget* focus) {
        return owner && focus && (owner == focus || owner->isAncestorOf(focus));
    };
    // Windows inside one main window (MDI) share the active window: the focus tells which one the user is in,
    // or, while the application has no focus, the focus each window remembers.
    const QWidget* active = QApplication::activeWindow();
    if (Action* a
        = latest([&](const QAction*, const QWidget* owner) { return holds(owner, QApplication::focusWidget()); }))
        return a;
    if (Action* a = latest([&](const QAction* action, const QWidget* owner) {
            return active && windowOf(action) == active && holds(owner, active->focusWidget());
        }))
        return a;
    if (Action* a = latest([&](const QAction* action, const QWidget*) { return active && windowOf(action) == active; }))
        return a;
    if (Action* a = latest([&](const QAction*, const QWidget* owner) {
            return owner && holds(owner, owner->window()->focusWidget());
        }))
        return a;
    return latest([](const QAction*, const QWidget*) { return true; });
}

void Command::addAction(Action* action)
{
    m_actions.append(action);
    connect(action, &QAction::changed, this, &Command::updateProxy);
    updateProxy();
}

void Command::removeAction(Action* action)
{
    m_actions.removeAll(action);
    m_actions.removeAll(nullptr);
    disconnect(action, nullptr, this, nullptr);
    updateProxy();
}

void Command::updateProxy()
{
    Action* current = currentAction();
    const bool changed = current != m_current;
    m_current = current;
    m_proxy->setEnabled(current && current->isEnabled());
    m_proxy->setCheckable(current && current->isCheckable());
    m_proxy->setChecked(current && current->isChecked());
    if (changed)
        Q_EMIT currentActionChanged();
}

void Command::onProxyTriggered(bool checked)
{
    // The active window may have changed without a focus change since the proxy was last brought up to date.
    updateProxy();
    if (!m_current || !m_current->isEnabled())
        return;
    // The proxy mirrors the action, so the action still holds the state before the click; trigger() toggles it.
    if (m_current->isCheckable())
        m_current->setChecked(!checked);
    m_current->trigger();
}
