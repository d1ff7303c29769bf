#pragma once

#include "basic_views_export.h"
#include "core/db/field.h"
#include "core/db/fieldtype.h"
#include "core/db/record.h"

#include <QObject>
#include <QVariant>

// Turns a record (and the field of its column, if any) into what a column shows: text, colours, alignment,
// tool tips, and the order of two rows. Models do not own their delegates. data() and compare() run on worker
// threads during sorts and batch analysis: they must only read.
class BASIC_VIEWS_EXPORT ColumnModelDelegate : public QObject
{
    Q_OBJECT
public:
    explicit ColumnModelDelegate(QObject* parent = nullptr);

    // May answer a header role of its column; answers nothing by default.
    virtual bool headerData(int role, QVariant& value) const;
    virtual FieldType::Type getType() const = 0;
    // The QVariant type id of the values data() gives.
    virtual int type() const = 0;
    // True when it answered the role and set `value`.
    virtual bool data(const Field& field, const Record& record, int role, QVariant& value) const = 0;
    // Ignores the sort role and asks the five-argument form.
    virtual bool compare(
        const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result, int sortRole) const;
    // True when it compared and set `result`; false by default (the model compares the raw fields).
    virtual bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const;
    // Whether rows whose field is empty stand after all others in both sort orders (the model then does not turn
    // their order round for a descending sort); false by default.
    virtual bool sortsEmptyLast() const;
    // Whether the column sorts by its stored field alone: compare() declines every pair and sortsEmptyLast() is
    // false, so the model may compare (and sort by) the stored values as if there were no delegate. False by
    // default: a delegate that does not say so is asked.
    virtual bool comparesRawFields() const;

    // An empty field of the type: what a computed column compares when it has no field of its own.
    static Field emptyField(FieldType::Type type);

Q_SIGNALS:
    // Everything the delegate shows may have changed (a directory it reads was reloaded).
    void dataChanged();
};
