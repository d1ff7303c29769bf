#pragma once

#include "views/find/abstractfindtoolbar.h"

class QLabel;
class QProgressIndicator;

// The controls of a find bar and where its search stands. The base of the private classes of the find bars.
class AbstractFindToolBarPrivate
{
public:
    virtual ~AbstractFindToolBarPrivate() = default;

    FilterLineEdit* edit = nullptr; // child
    QProgressIndicator* busy = nullptr; // child
    QLabel* status = nullptr; // child
    QAction* previous = nullptr; // child
    QAction* next = nullptr; // child
    QAction* nextByEnter = nullptr; // child
    QAction* filter = nullptr; // child
    QAction* close = nullptr; // child
    bool found = false;
    bool searching = false;
    // Typing paused during a search: the incremental search follows it.
    bool incrementalPending = false;
    // The rows are filtered by the text: a new text filters anew.
    bool filtering = false;
};
