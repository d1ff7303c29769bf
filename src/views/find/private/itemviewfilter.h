#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filter.h"

#include <QPointer>

class ItemViewFind;

// The find bar's text as a row filter of its view's model: keeps the records of which a shown column shows the
// text; with no text it keeps every record. It belongs to no one column and is not stored with the view.
class BASIC_VIEWS_EXPORT ItemViewFilter : public Filter
{
    Q_OBJECT
public:
    explicit ItemViewFilter(ItemViewFind* find, QObject* parent = nullptr);

    // Made on the GUI thread: takes the view's columns and delegates as they are now.
    FilterFunc* createFilterFunc(QObject* parent) const override;
    QString name() const override;
    QString value() const override { return m_text; }
    void setValue(const QString& value) override { m_text = value; }

private:
    QPointer<ItemViewFind> m_find;
    QString m_text;
};
