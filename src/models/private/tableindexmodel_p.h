#pragma once

#include "columns/private/itemmodelwithdelegates_p.h"
#include "core/db/handlefilter.h"
#include "core/db/handletable.h"
#include "core/db/partitionlist.h"
#include "core/db/rangeset.h"
#include "models/tableindexmodel.h"

#include <QHash>

#include <utility>
#include <vector>

// The list of a TableIndexModel and what a batch's analysis leaves for its application. Exported for the tests
// only (they tune rowsPerSearch and directFilterBits); the header is not installed.
class BASIC_VIEWS_EXPORT TableIndexModelPrivate : public ItemModelWithDelegatesPrivate
{
    Q_DECLARE_PUBLIC(TableIndexModel)
public:
    PartitionList<Record> list;
    mutable int cachedRow = -1;
    mutable Record cachedRecord;
    RangeSet<int> rowsToRemove;
    RangeSet<int> rowsChanged;
    // The rows of rowsChanged whose sort key changed: kept in place by a judgement against their neighbours' old
    // values, they alone can end out of order (settleRowsInPlace). The others keep keys that compare equal.
    RangeSet<int> rowsJudged;
    RangeSet<int> rowsToMove;
    QList<Record> recordsToInsert;

    // Over another model: that model. Its order breaks this model's ties (default_compare), and records equal
    // under both stand in its row order, the order a fresh build reads them in.
    const TableIndexModel* owner = nullptr; // not owned; null over a table

    // A batch with a record for every this many rows is found by one walk over the list rather than by searches.
    static int rowsPerSearch;
    // The widest span of handles, in bits, whose walk filter is a direct bit map rather than a hashed one.
    static qint64 directFilterBits;

    // A shown record of the batch whose row no search named: the walk over the list finds it and does as `want`
    // says.
    struct Unplaced
    {
        enum Want : quint8 {
            Change, // its sort key compares equal before and after: its row stays and repaints
            Remove, // no longer shown
            Classify, // its sort key changed: `next` (an element of the batch's updatedNew) tells move or stay
        };
        const void* handle = nullptr;
        const Record* next = nullptr;
        Want want = Change;
    };
    // One work item of a batch's analysis: a slice of its input and its own outputs, merged afterwards.
    struct Outputs
    {
        RangeSet<int> remove;
        RangeSet<int> changed;
        RangeSet<int> judged;
        RangeSet<int> move;
        QList<Record> insert;
        std::vector<Unplaced> unplaced;
    };
    // `search`: look for each record near its lower bound; off for batches so large against the list that one walk
    // over the whole list (PreprocessNotFoundParams) finds them all for less.
    struct PreprocessRemoveParams
    {
        const TableIndexModel* model;
        const QList<Record>* removed;
        bool search;
        int first;
        int last;
        Outputs out;
        void operator()();
    };
    struct PreprocessUpdateParams
    {
        const TableIndexModel* model;
        const QList<Record>* updated;
        const QList<Record>* updatedNew;
        bool search;
        int first;
        int last;
        Outputs out;
        void operator()();
    };
    struct PreprocessNotFoundParams
    {
        const TableIndexModel* model;
        const HandleTable<Unplaced>* unplaced;
        const HandleFilter* wanted; // every handle of `unplaced`, to pass over the other rows cheaply
        bool repaintsOnly; // every handle `wanted` lets through is a row to repaint (`unplaced` is left empty)
        int firstRow;
        int lastRow;
        Outputs out;
        void operator()();
    };

    // The row of a shown record among the first `limit` rows from its lower bound, or -1 (its sort key
    // changed, or it is not shown).
    int rowNear(const Record& record, int limit) const;
    // The row of a record found by walking the whole list; -1 when it is not there.
    int rowAnywhere(const Record& record) const;
    // The row of a record that still holds the values the list is sorted by: in the run of equal rows from its
    // lower bound, told by its handle alone among the next RunScan rows; -1 past them (a longer run, rows moved by
    // hand, a record not shown).
    int rowInRun(const Record& record) const;
    // The upper bound of each of `sorted` records in the list, searched in parallel.
    // Sorts `records` (new or moved rows of a batch) and returns each one's upper bound in the list. Slices of the
    // sorted records are searched in parallel; inside a slice each search gallops on from the previous bound, so
    // records that land together cost a compare or two instead of a whole binary search.
    template<typename Sequence>
    std::vector<int> sortWithPlaces(Sequence& records) const;
    // Whether compare(), default_compare() and filter() are this class's own.
    bool stockComparison() const;
    // The table field of a plain stored sort column whose values have exact integer images, -1 otherwise: only
    // such a column sorts by its values alone (a delegate may compare otherwise; over another model ties follow
    // that model; a subclass may compare otherwise).
    int storedSortField() const;
    // Whether a batch that changes only the table fields firstField..lastField leaves every record's place and
    // its being shown as they were: the list is sorted by a stored field outside them whose values have integer
    // images (storedSortField()), and the predicate reads none of them. A subclass, which may filter otherwise,
    // never qualifies (stockComparison()).
    bool fieldsKeepOrderAndRows(int firstField, int lastField) const;
    // Records sorted stably by the images of the stored sort column's values: one read of each record instead of
    // a comparison of two per probe; false (the records as they were) when the column or a value has none. A build
    // gives its progress: the sort's steps report counts from `from` to the build's total.
    template<typename Sequence>
    bool sortByStoredKeys(Sequence& records, ProgressHelper* progress = nullptr, qint64 from = 0) const;
    // Sorts one row with new values `next` into moved or changed rows.
    void classify(int row, const Record& next, Outputs& out) const;
    static void merge(Outputs& into, Outputs& from);

    // Each of the sorted `records`' upper bound in the list under `cmp`, searched in parallel slices; inside a slice
    // each search gallops on from the previous bound, so records that land together cost a compare or two.
    template<typename Sequence, typename Compare>
    std::vector<int> placesOf(const Sequence& records, Compare cmp) const;

    // Placing records exactly in a model over another model. The owner rows of the records that tie under
    // compare(), with the list's rows they tie with; empty when nothing ties. `sorted` is sorted by compare().
    using OwnerRows = QHash<const void*, int>;
    template<typename Sequence>
    OwnerRows ownerRowsOfTies(const Sequence& sorted) const;
    // compare(), then the owner rows.
    int compareExactly(const Record& a, const Record& b, const OwnerRows& rows) const;
    // Sorts the records into their exact order and returns their places in the list.
    template<typename Sequence>
    std::vector<int> sortWithExactPlaces(Sequence& records) const;
    // A record's exact place among the list's rows.
    int exactUpperBound(const Record& record) const;
};
