#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QToolBar>

class Filter;
class FiltersToolBarPrivate;
class ItemFiltersToolBar;
class QAbstractItemView;
class QHeaderView;

// A fixed tool bar of a few filters of a view, always at hand above it (the account and the instrument above the
// orders, say). Each filter's own editor sits on the bar and acts on the view as soon as it changes. In a window
// too narrow for every editor the bar scrolls sideways rather than squeezing the editors over one another.
class BASIC_VIEWS_EXPORT FiltersToolBar : public QToolBar
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FiltersToolBar)
public:
    explicit FiltersToolBar(QWidget* parent = nullptr);
    FiltersToolBar(const QString& title, QWidget* parent = nullptr);
    ~FiltersToolBar() override;

    void setView(QAbstractItemView* view);
    void setHeader(QHeaderView* header);
    void addFilter(Filter* filter);
    void addFilters(const QList<Filter*>& filters);
    void addCustomWidget(QWidget* widget);
    QWidget* getWidget() const;
    ItemFiltersToolBar* itemFiltersToolBar() const;

private:
    QScopedPointer<FiltersToolBarPrivate> m_d;
};
