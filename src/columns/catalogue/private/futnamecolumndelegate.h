#pragma once

#include "columns/catalogue/cataloguedelegate.h"

#include <QDate>

class Table;

// The name of an option group: its instrument, expiry date and week, and the options' calculation type.
struct BASIC_VIEWS_EXPORT FutName
{
    QString name;
    QDate expDate;
    QString expWeek;
    QString calcTypeName;
    QString fullText;

    // By instrument name, expiry date, week and calculation type; texts without regard to case.
    int compare(const FutName& other) const;
};

// "Наименование": the option group of an instrument ("RIM4 - июн 13, 2014 (24-я неделя)(Американский...)").
class BASIC_VIEWS_EXPORT FutNameColumnDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    // The record fields of a name, in this order.
    static const char* const fieldNames[8];

    // Requires every field of fieldNames.
    explicit FutNameColumnDelegate(ItemModelWithDelegates* model);

    // `columns` are the indexes of fieldNames in the record.
    static FutName futureName(const Record& record, const QVector<int>& columns);
    static FutName futureName(const Record& record, const Table* table);
    FutName futureName(const Record& record) const { return futureName(record, m_columns); }

    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

private:
    QVector<int> m_columns;
};
