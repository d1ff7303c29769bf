#pragma once

#include "core/host/bv_host_export.h"

#include <QString>

// How well an entry with a code and a name matches a typed text, best first: its code or name is the text, starts
// with it, or holds it. Case is ignored, as a trader types codes either way.
enum class MatchRank { Exact, Start, Inside, None };

BV_HOST_EXPORT MatchRank matchRank(const QString& code, const QString& name, const QString& text);
