#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>
#include <QStringList>

class QMenu;
class QToolBar;
class QWidget;

// An ordered group of commands under an id (a window's tool bar, a context menu), from which tool bars and
// menus are made; each shows the commands' stand-in actions, so one definition serves every window.
class BV_HOST_EXPORT CommandContainer : public QObject
{
    Q_OBJECT
public:
    CommandContainer(const QString& id, QObject* parent);
    ~CommandContainer() override;

    QString id() const { return m_id; }
    void addCommand(const QString& commandId);
    void addSeparator();
    // Command ids in order; an empty id stands for a separator.
    QStringList commandIds() const { return m_items; }

    // The caller owns what it gets (through the parent).
    QToolBar* createToolBar(QWidget* parent);
    QMenu* createMenu(QWidget* parent);

private:
    QString m_id;
    QStringList m_items;
};
