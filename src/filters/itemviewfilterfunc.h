#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"
#include "filters/iitemviewfind.h"

#include <QPointer>

class ItemModelWithDelegates;

// The find bar working as a filter: passes records of which some searched cell, taken the way the model shows
// it, matches. Passes everything once the find object or the model is gone.
class BASIC_VIEWS_EXPORT ItemViewFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    ItemViewFilterFunc(
        QObject* find, ItemModelWithDelegates* model, const ItemViewFindOptions& options, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;

private:
    QPointer<QObject> m_find;
    QPointer<ItemModelWithDelegates> m_model;
    ItemViewFindOptions m_options;
};
