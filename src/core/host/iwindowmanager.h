#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

// The host's window manager. One is current at a time, like the host core.
class BV_HOST_EXPORT IWindowManager : public QObject
{
    Q_OBJECT
public:
    ~IWindowManager() override;
    static IWindowManager* instance();

    // Opens a window of the kind `windowId` for the instruments whose text ids `keys` holds, joined with "|"
    // (empty for a window of no instrument). How a kind takes several instruments is its own affair.
    virtual void openWindow(const QString& windowId, const QString& keys) = 0;
    // Brings the window holding `view` to the front.
    virtual void activateView(QWidget* view) = 0;
    // Set true before the rows of a file export are written, false afterwards.
    virtual void lockWindows(bool lock) = 0;

protected:
    explicit IWindowManager(QObject* parent = nullptr);
};
