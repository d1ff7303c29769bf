#pragma once

#include "core/host/bv_host_export.h"

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class Action;
class QAction;

// One command of the terminal under its id: its text, icon, tool tip and shortcut are defined once here, and
// every `Action` made under the id takes them. Many windows each make their own `Action` of a command; the
// command's own `commandAction()`, placed in the host's menus and tool bars, stands for the one of the active
// window: triggering it triggers that action, and it is enabled and checked as that action is.
class BV_HOST_EXPORT Command : public QObject
{
    Q_OBJECT
public:
    explicit Command(const QString& id, QObject* parent = nullptr);
    ~Command() override;

    QString id() const { return m_id; }

    // Sets the look of the command and of every action made under it, now and later.
    void setText(const QString& text);
    void setIcon(const QIcon& icon);
    void setToolTip(const QString& toolTip);
    void setShortcut(const QKeySequence& shortcut);
    QString text() const { return m_text; }
    QIcon icon() const { return m_icon; }
    QString toolTip() const { return m_toolTip; }
    QKeySequence shortcut() const { return m_shortcut; }

    // The stand-in action for menus and tool bars; owned by the command.
    QAction* commandAction() const { return m_proxy; }
    // The action the stand-in forwards to: the latest made in the widget holding the focus, else in the active
    // window, else the latest made; null for none.
    Action* currentAction() const;

    // Called by Action; the command does not own the actions.
    void addAction(Action* action);
    void removeAction(Action* action);
    // Applies the command's look to an action.
    void decorate(QAction* action) const;

Q_SIGNALS:
    void currentActionChanged();

private:
    template<typename T>
    void setLook(T Command::*member, const T& value, void (QAction::*setter)(const T&));
    void updateProxy();
    void onProxyTriggered(bool checked);

    QString m_id;
    QString m_text;
    QIcon m_icon;
    QString m_toolTip;
    QKeySequence m_shortcut;
    QAction* m_proxy; // owned
    QList<QPointer<Action>> m_actions;
    QPointer<Action> m_current;
};
