#pragma once

#include "basic_views_export.h"

#include <QList>

#include <functional>

class Filter;
class QObject;
class QWidget;

// Ties between filter editors placed side by side, where one offers what another has chosen (the expiry dates of
// the chosen base contract). Whoever places editors together (the filters tool bar) calls place() for each one;
// whoever knows a tie (the filter catalogue) adds it, so the generic placing code knows no particular filter.
class BASIC_VIEWS_EXPORT FilterLinks
{
public:
    // Given the filter just placed, its editor (may be null), the filters placed before it with their editors
    // (same order) and the object the connections it makes live with.
    using Link = std::function<void(Filter* placed, QWidget* editor, const QList<Filter*>& others,
        const QList<QWidget*>& otherEditors, QObject* context)>;

    // GUI thread only, as place().
    static void add(const Link& link);
    static void place(Filter* placed, QWidget* editor, const QList<Filter*>& others,
        const QList<QWidget*>& otherEditors, QObject* context);
};
