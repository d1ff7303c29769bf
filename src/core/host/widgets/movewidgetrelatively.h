#pragma once

#include "core/host/bv_host_export.h"

#include <Qt>

class QWidget;

// Places a top-level widget beside an anchor widget and keeps it whole on the anchor's screen.
// Horizontally: Qt::AlignLeft puts it to the anchor's left, Qt::AlignRight to its right, Qt::AlignHCenter
// centres it on the anchor; vertically Qt::AlignTop above, Qt::AlignBottom below, Qt::AlignVCenter centred.
// A missing direction centres. Without an anchor the widget is centred on the screen under the mouse.
BV_HOST_EXPORT void moveWidgetRelatively(QWidget* widget, QWidget* anchor, Qt::Alignment alignment);
