#pragma once

// Columns that show only the date, only the time, or the moment of a session event of a date-time field.

#include "columns/catalogue/cataloguedelegate.h"

// The field's date; a null field is left to the model.
class BASIC_VIEWS_EXPORT DateColumnDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    explicit DateColumnDelegate(ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;
};

// The field's time of day.
class BASIC_VIEWS_EXPORT TimeColumnDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    explicit TimeColumnDelegate(ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;
};

// The moment, on rows whose "signs" have a bit of the mask; an empty cell on the others.
class BASIC_VIEWS_EXPORT SessionTimeDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    SessionTimeDelegate(ItemModelWithDelegates* model, qint64 mask);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

private:
    qint64 m_mask;
    int m_signsColumn;
};
