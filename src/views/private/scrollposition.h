#pragma once

#include "basic_views_export.h"

class QAbstractScrollArea;
class Settings;

// Where a view is scrolled, stored as "horizontalScroll" and "verticalScroll": each scroll bar's position as a
// percentage of its range (a double), so it survives a change of the row count or the window's size.
namespace ScrollPosition {

BASIC_VIEWS_EXPORT void store(const QAbstractScrollArea* view, Settings& settings);
BASIC_VIEWS_EXPORT void restore(QAbstractScrollArea* view, const Settings& settings);

} // namespace ScrollPosition
