#pragma once

#include "core/db/mapsettings.h"

#include <QList>
#include <QRect>

// The terminal's open windows, kept between runs in "windows.ini" of the application's settings folder: each
// window's kind, place and its view's state, in the order they were opened.
//
// A file that cannot be read or is not the terminal's is moved aside (renamed with ".damaged-" and the time)
// rather than overwritten, so nothing the user had is lost; the terminal then starts with its defaults.
class SessionStore
{
public:
    struct Window
    {
        QString kind;
        QRect geometry; // in the main window's window area
        bool maximized = false;
        MapSettings state;
    };

    static QString fileName();
    // False with `error` when there is a file that is damaged or foreign; no file is an empty session. `main`,
    // when given, gets the main window's stored place (invalid when none was stored).
    static bool load(QList<Window>* windows, QString* error, QRect* main = nullptr);
    // Replaces the file; false with `error` when it cannot be written.
    static bool save(const QList<Window>& windows, QString* error, const QRect& main = QRect());
};
