#pragma once

#include "core/host/bv_host_export.h"

#include <QAction>

// A window's action of a terminal command: it takes its text, icon, tool tip and shortcut from the command
// registered under its id (ActionManager), so they are defined once wherever the action appears, and the
// host's menus reach it through the command. Its shortcut acts within its parent widget, so that windows
// holding the same action do not make the shortcut ambiguous.
class BV_HOST_EXPORT Action : public QAction
{
    Q_OBJECT
public:
    Action(const QString& id, QObject* parent);
    ~Action() override;

    QString id() const { return m_id; }

private:
    QString m_id;
};
