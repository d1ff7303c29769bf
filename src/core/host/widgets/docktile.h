#pragma once

#include "core/host/bv_host_export.h"

class QWidget;

// The platform's request for the user's attention to a window (a blinking task bar entry, an urgency hint),
// raised by alerts on data events. The request lasts until the window is activated or the alert is taken back.
class BV_HOST_EXPORT DockTile
{
public:
    // On: asks for attention to the widget's window unless it is the active one. Off: takes the request back.
    static void alert(bool on, QWidget* widget);
    // Whether a request for the widget's window is pending.
    static bool isAlerting(const QWidget* widget);
};
