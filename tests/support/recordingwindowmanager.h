#pragma once

#include "core/host/iwindowmanager.h"

#include <QStringList>

// A host window manager that opens nothing and writes down each window asked for as "<window id> <keys>". It is
// the current one while it lives.
class RecordingWindowManager : public IWindowManager
{
public:
    void openWindow(const QString& windowId, const QString& keys) override { opened << windowId + ' ' + keys; }
    void activateView(QWidget*) override { }
    void lockWindows(bool) override { }

    QStringList opened;
};
