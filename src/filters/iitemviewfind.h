#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QtPlugin>

// What the find bar searches with.
struct ItemViewFindOptions
{
    QString text;
    Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
    bool wholeCell = false;
};

// The find side of a view, as the find predicate asks it: which columns are searched and whether a cell value
// matches. Implemented by a QObject, so that a predicate notices when it is gone.
class IItemViewFind
{
public:
    virtual ~IItemViewFind() = default;
    virtual QList<int> searchedColumns() const = 0;
    virtual bool matches(const QVariant& value, int column, const ItemViewFindOptions& options) const = 0;
};

#define IItemViewFind_iid "Orrery.Plugin.IItemViewFind/1.0"
Q_DECLARE_INTERFACE(IItemViewFind, IItemViewFind_iid)
