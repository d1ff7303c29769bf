#pragma once

#include "basic_views_export.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class Filter;
class ItemViewFind;
class QAbstractItemView;
class QHeaderView;
class RowFiltersModel;
class QWidget;

// Puts filters on a tool bar for a view: each filter joins the view's filter set (in place of one of the same
// name), its editor lives on the bar, and a change made in the editor goes to the view at once. Editors that
// follow one another are tied through FilterLinks.
class BASIC_VIEWS_EXPORT ItemFiltersToolBar : public QObject
{
    Q_OBJECT
public:
    explicit ItemFiltersToolBar(QObject* parent = nullptr);

    void setView(QAbstractItemView* view);
    void setHeader(QHeaderView* header);
    QAbstractItemView* view() const;
    // The filter's editor with `parent` as its parent; null when the view has no filter set (nothing happens
    // then) or the filter has no editor.
    QWidget* addFilter(Filter* filter, QWidget* parent);
    QList<Filter*> filters() const { return m_filters; }
    QList<QWidget*> widgets() const { return m_widgets; }
    // The view's filter set: its filtered model's.
    RowFiltersModel* filtersModel() const;

protected:
    // A language change shows the filters' keys again in the language's words and forms (enumeration names,
    // dates).
    bool event(QEvent* event) override;

public Q_SLOTS:
    // A placed filter changed (from its editor or elsewhere): the view rebuilds once for the changes so far.
    void onFilterChanged();

private:
    void notifyFilters();
    // A change made elsewhere (the header's menu) shows in the editor.
    void onFiltersDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    ItemViewFind* m_find; // child: holds the view and its header, and finds the view's filtered model
    QList<Filter*> m_filters;
    QList<QWidget*> m_widgets;
    QPointer<RowFiltersModel> m_followed;
    // What each placed filter was when the set last heard of it: only a filter that differs is told again.
    QHash<const Filter*, QPair<QString, bool>> m_told;
    bool m_notifyScheduled = false;
    bool m_quiet = false; // filling editors or notifying: no echo
};
