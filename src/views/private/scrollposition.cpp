#include "views/private/scrollposition.h"

#include "core/db/settings.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace {

const char* const HorizontalKey = "horizontalScroll";
const char* const VerticalKey = "verticalScroll";

double percentOf(const QScrollBar* bar)
{
    return bar->maximum() > 0 ? bar->value() * 100.0 / bar->maximum() : 0.0;
}

} // namespace

void ScrollPosition::store(const QAbstractScrollArea* view, Settings& settings)
{
    settings.setValue(QLatin1String(HorizontalKey), percentOf(view->horizontalScrollBar()));
    settings.setValue(QLatin1String(VerticalKey), percentOf(view->verticalScrollBar()));
}

void ScrollPosition::restore(QAbstractScrollArea* view, const Settings& settings)
{
    for (auto [bar, key] : { std::make_pair(view->horizontalScrollBar(), HorizontalKey),
             std::make_pair(view->verticalScrollBar(), VerticalKey) }) {
        const double percent = settings.value(QLatin1String(key), 0.0).toDouble();
        bar->setValue(int(percent * bar->maximum() / 100));
    }
}
