#pragma once

#include "basic_views_export.h"

#include <QList>

#include <functional>

class Filter;
class QObject;
class QWidget;

// Ties between filter editors placed side by side, where one offers what another has chosen (the expiry dates of
// the chosen base contract), and the editors a filter shows on a tool bar. Whoever places editors together (the
// filters tool bar) calls createToolBarEditor() and place() for each one; whoever knows a tie or an editor (the
// filter catalogue) adds it, so the generic placing code knows no particular filter.
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

    // A filter's editor made for a tool bar (narrow, titled), or null when the maker has none for the filter.
    using ToolBarEditor = std::function<QWidget*(Filter* filter, QWidget* parent)>;
    static void addToolBarEditor(const ToolBarEditor& maker);
    // The first tool bar editor a maker gives, else the filter's own editor.
    static QWidget* createToolBarEditor(Filter* filter, QWidget* parent);
};
