#include "core/host/selectors/matchrank.h"

MatchRank matchRank(const QString& code, const QString& name, const QString& text)
{
    if (code.compare(text, Qt::CaseInsensitive) == 0 || name.compare(text, Qt::CaseInsensitive) == 0)
        return MatchRank::Exact;
    if (code.startsWith(text, Qt::CaseInsensitive) || name.startsWith(text, Qt::CaseInsensitive))
        return MatchRank::Start;
    if (code.contains(text, Qt::CaseInsensitive) || name.contains(text, Qt::CaseInsensitive))
        return MatchRank::Inside;
    return MatchRank::None;
}
