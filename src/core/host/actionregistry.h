#pragma once

#include "core/host/bv_host_export.h"

#include <QMap>
#include <QObject>
#include <QPointer>

class QAction;

// The host's commands by id; views add their actions to it and find the host's ones.
class BV_HOST_EXPORT ActionRegistry : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces an action registered under the same id. The registry does not own actions.
    void registerAction(const QString& id, QAction* action);
    void unregisterAction(const QString& id);
    // Null for an unknown id.
    QAction* action(const QString& id) const;
    QStringList ids() const;

private:
    QMap<QString, QPointer<QAction>> m_actions;
};
