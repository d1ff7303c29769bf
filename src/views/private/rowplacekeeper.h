#pragma once

#include "basic_views_export.h"

// Keeps a trader's place in a live table while rows arrive and leave: a view at its top or bottom stays there, a
// view in between keeps the same records on the same screen lines, and a current row on the first or last row
// stays on the first or last row (the newest record, in a table sorted by arrival). Pure bookkeeping: the view
// tells it what it shows before a change and asks where to go after it.
class BASIC_VIEWS_EXPORT RowPlaceKeeper
{
public:
    // What the view shows just before rows are inserted.
    struct Before
    {
        int currentRow = -1; // -1: no current index
        int currentColumn = 0;
        int rowCount = 0;
        int firstVisibleRow = 0;
        int value = 0; // the vertical scroll bar's value, minimum and maximum
        int minimum = 0;
        int maximum = 0;
        bool descending = false; // the header's sort order decides a single row's end and an unscrolled view's
    };
    void aboutToInsert(const Before& before);

    // After `count` rows were inserted at `first`, in a view whose first shown row was `firstShown` at scroll value
    // `value` and whose new maximum is `maximum`: the value that keeps the place. `rowsValue` is the value of
    // `count` rows.
    int valueAfterInsert(int first, int firstShown, int value, int rowsValue, int maximum) const;
    // The row the current index goes to after rows first..last were inserted into `rowCount` rows; -1: it stays.
    int currentRowAfterInsert(int first, int last, int rowCount) const;
    int currentColumn() const { return m_currentColumn; }

    // After rows first..last were removed: the value that keeps the rows on screen where they are when the whole
    // block lay above the first shown row; -1 otherwise.
    static int valueAfterRemove(int last, int firstShown, int value, int rowsValue);

    // The home and end keys, and the view's setCurrentFirst()/setCurrentLast(), anchor the current row.
    void anchorCurrentFirst();
    void anchorCurrentLast();

private:
    bool m_currentWasFirst = false;
    bool m_currentWasLast = false;
    bool m_wasAtMinimum = false;
    bool m_wasAtMaximum = false;
    int m_currentColumn = 0;
};
