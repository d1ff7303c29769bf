#pragma once

#include "basic_views_export.h"

#include <QCoreApplication>

// The check an action that goes to the exchange makes first: with the host's connection up it passes silently;
// otherwise the user is told that nothing can be done until a connection is made.
class BASIC_VIEWS_EXPORT OnlineDialog
{
    Q_DECLARE_TR_FUNCTIONS(OnlineDialog)
public:
    // True when the connection is up; otherwise a modal warning, and false. Without a connection manager the
    // terminal counts as disconnected.
    static bool showDialog();
};
