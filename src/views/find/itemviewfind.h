#pragma once

#include "basic_views_export.h"

#include <QModelIndex>
#include <QObject>
#include <QScopedPointer>

class FilterIndexModel;
class ItemViewFindPrivate;
class QAbstractItemView;
class QHeaderView;

// Finds the next or previous cell of a view that shows a text, and turns the text into a row filter of the
// view's filtered model.
//
// A search walks from the current cell through the header's shown columns in visual order, row after row (depth
// first in a tree), wraps around at the end and gives up back at the start; a hit becomes the current cell with
// its whole row selected. Rows of the library's models are tried in blocks on the worker threads; every 40 ms the
// event loop runs once, so the window stays alive and the feed goes on. The row the walk stands on is held by a
// persistent index, so rows inserted or removed meanwhile never make it skip or repeat, and a hit is checked and
// selected with no event in between: it always matches when it is selected. stop() (or a new text) ends a
// running search without a result.
//
// The view and the header are held weakly; a search on a view that goes away finds nothing, and so does a search
// whose finder is deleted meanwhile (its window closed): it ends without touching it again.
class BASIC_VIEWS_EXPORT ItemViewFind : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemViewFind)
public:
    explicit ItemViewFind(QObject* parent = nullptr);
    ~ItemViewFind() override;

    void setView(QAbstractItemView* view);
    // Without a header every column is searched in model order.
    void setHeader(QHeaderView* header);
    QAbstractItemView* view() const;
    QHeaderView* header() const;
    // The columns searched: the header's shown sections in visual order.
    QList<int> columnList() const;
    // The view's model as a filtered model (behind a reading hold too); null when it is none.
    FilterIndexModel* filterIndexModel() const;
    bool isFilterAvailable() const;
    bool isRunning() const;

    // True when a cell was found and made current. An empty text finds nothing; a find while one runs is refused.
    bool find(const QString& text, bool forward, bool incremental);
    bool findNext(const QString& text) { return find(text, true, false); }
    bool findPrev(const QString& text) { return find(text, false, false); }
    // May stay on the current cell.
    bool findIncremental(const QString& text) { return find(text, true, true); }
    // Adds the find's row filter to the view's filtered model (when missing) set to the text and on; an empty
    // text takes it off and out. The filter searches the columns shown when it is set.
    void filter(const QString& text);
    void stop();

private:
    class Walk;
    bool search(const QString& text, bool forward, bool incremental);
    void select(const QModelIndex& hit);

    QScopedPointer<ItemViewFindPrivate> m_d;
};
