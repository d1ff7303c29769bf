#pragma once

#include <QList>

// Where dragged rows land, as a plain list says it: the dragged items (in the drag's order) taken out and put back
// together before the first item from `target` on that was not dragged (-1 or the end: after the last).
template<typename T>
QList<T> droppedBefore(QList<T> list, const QList<T>& dragged, int target)
{
    if (target < 0 || target > list.size())
        target = list.size();
    while (target < list.size() && dragged.contains(list.at(target)))
        ++target;
    const bool atEnd = target == list.size();
    const T anchor = atEnd ? T() : list.at(target);
    for (const T& item : dragged)
        list.removeOne(item);
    int at = atEnd ? list.size() : list.indexOf(anchor);
    for (const T& item : dragged)
        list.insert(at++, item);
    return list;
}
