#pragma once

#include "filters/widgets/filterwidget.h"

class QLabel;

// The layout a filter editor's controls go into and the line that tells why its content is refused. The base of
// the private classes of the editors.
class FilterWidgetPrivate
{
public:
    virtual ~FilterWidgetPrivate() = default;

    QVBoxLayout* content = nullptr; // owned by the editor's layout
    QLabel* reason = nullptr; // child
};
