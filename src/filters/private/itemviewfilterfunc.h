#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"
#include "filters/private/itemviewtextmatch.h"

#include <QList>
#include <QPointer>

class ItemModelWithDelegates;

// A find text working as a row filter: passes the records of which one of the given columns shows the text, as
// the view shows it. Passes everything once the model is gone.
class BASIC_VIEWS_EXPORT ItemViewFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    ItemViewFilterFunc(const ItemViewTextMatch& match, ItemModelWithDelegates* model, const QList<int>& columns,
        QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;

private:
    ItemViewTextMatch m_match;
    QPointer<ItemModelWithDelegates> m_model;
    QList<int> m_columns;
};
