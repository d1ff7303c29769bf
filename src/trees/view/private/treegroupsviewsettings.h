#pragma once

#include "basic_views_export.h"

class Settings;
class TreeGroupsView;

// What a grouped view keeps in its window's settings: the model's sort orders and filters, the header's layout,
// the group segments ("Groups"), which groups are open, "current" (the stored path of the current row),
// "horizontalScroll" and "verticalScroll" (percentages) and the dynamic export.
namespace TreeGroupsViewSettings {

BASIC_VIEWS_EXPORT void store(const TreeGroupsView& view, Settings& settings);
// Reads all of it back and rebuilds the tree, then reselects "current" and scrolls back. Nothing for a view
// without a model.
BASIC_VIEWS_EXPORT void restore(TreeGroupsView& view, const Settings& values);

} // namespace TreeGroupsViewSettings
