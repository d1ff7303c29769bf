#pragma once

// Columns over numbers: deal and order numbers (header only), sums and differences of fields, and raw values
// shown through a dictionary.

#include "columns/catalogue/cataloguedelegate.h"
#include "core/db/xdecimal.h"

#include <map>

// A column of sequence numbers: the number itself is shown; the delegate only describes the column.
class BASIC_VIEWS_EXPORT NumberColumnDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool comparesRawFields() const override { return true; }

protected:
    NumberColumnDelegate(const ColumnHeaderInfo& header, QObject* parent);
};

class BASIC_VIEWS_EXPORT DealColumnDelegate : public NumberColumnDelegate
{
public:
    explicit DealColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT OrderColumnDelegate : public NumberColumnDelegate
{
public:
    explicit OrderColumnDelegate(QObject* parent = nullptr);
};

// A sum of fields, each added or subtracted. A row with any of them null shows an empty cell and sorts as 0.
class BASIC_VIEWS_EXPORT ArithmeticDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    struct ColAndOp
    {
        int column;
        int op; // 1 adds the field, -1 subtracts it; other values are ignored
    };

    explicit ArithmeticDelegate(const QVector<ColAndOp>& expression, QObject* parent = nullptr);
    // 0 when a field of the expression is null.
    xdecimal calcExpression(const Record& record) const;
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

private:
    bool hasNull(const Record& record) const;
    QVector<ColAndOp> m_expression;
};

// Shows raw values through a dictionary; values it does not list show as they are.
class BASIC_VIEWS_EXPORT ValueDecoderDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    // Ordered by the database component's comparison of values.
    struct VariantLess
    {
        bool operator()(const QVariant& a, const QVariant& b) const;
    };
    using Dictionary = std::map<QVariant, QVariant, VariantLess>;

    explicit ValueDecoderDelegate(const Dictionary& dictionary, QObject* parent = nullptr);
    // Repaints the column.
    void setDisplayValuesDictionary(const Dictionary& dictionary);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

private:
    Dictionary m_dictionary;
};
