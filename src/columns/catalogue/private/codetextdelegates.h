#pragma once

// Columns that show fixed texts for codes and bit sets: rights, flags, statuses, languages, yes/no and the
// signs of deals and orders. Each member is a table of texts given to one of two classes.

#include "columns/catalogue/cataloguedelegate.h"

#include <vector>

// A code shows the text of its value, or of each bit it has set.
class BASIC_VIEWS_EXPORT CodeTextDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    struct Entry
    {
        qint64 code; // a value, or a bit number
        const char* text;
    };
    enum Mode {
        Values, // the text of (field & mask), the fallback for a value without one
        Bits, // the texts of the set bits joined by ", "
    };

protected:
    // `column` is read instead of the column's own field when it is not -1. A null value shows an empty cell.
    CodeTextDelegate(const ColumnHeaderInfo& header, Mode mode, std::initializer_list<Entry> entries, QObject* parent,
        const char* fallback = nullptr, qint64 mask = -1, int column = -1, FieldType::Type type = FieldType::String);
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    Mode m_mode;
    std::vector<std::pair<qint64, QString>> m_texts;
    QString m_fallback;
    qint64 m_mask;
    int m_column;
};

class BASIC_VIEWS_EXPORT LoginRightsDelegate : public CodeTextDelegate
{
public:
    explicit LoginRightsDelegate(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT SmaFlagsDelegate : public CodeTextDelegate
{
public:
    explicit SmaFlagsDelegate(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT SmaStatusDelegate : public CodeTextDelegate
{
public:
    explicit SmaStatusDelegate(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT LangDelegate : public CodeTextDelegate
{
public:
    explicit LangDelegate(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT YesNoDelegate : public CodeTextDelegate
{
public:
    explicit YesNoDelegate(ItemModelWithDelegates* model);
    YesNoDelegate(int column, ItemModelWithDelegates* model);
};

// The OTC states, reasons and error codes of deals are not shown by this terminal: their cells stay empty.
class BASIC_VIEWS_EXPORT DealStateDelegate : public CodeTextDelegate
{
public:
    explicit DealStateDelegate(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT DealReasonDelegete : public CodeTextDelegate
{
public:
    explicit DealReasonDelegete(ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT DealErrorCodeDelegate : public CodeTextDelegate
{
public:
    explicit DealErrorCodeDelegate(ItemModelWithDelegates* model);
};

// A 64-bit set of signs shown as the text of the first rule it matches (empty when none does), with a longer
// text as tool tip; rows sort by the shown text.
class BASIC_VIEWS_EXPORT SignTextDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    // Where a rule holds: boards of the combined-instrument market are stock 1, boards 10 and 11.
    enum Boards { AnyBoard, CombinedBoard, OtherBoard };
    struct Rule
    {
        int bit;
        const char* text;
        const char* toolTip;
        Boards boards = AnyBoard;
        int alsoBit = -1; // a second bit the rule needs set (or, with alsoClear, not set)
        bool alsoClear = false;
    };

    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

protected:
    SignTextDelegate(const ColumnHeaderInfo& header, std::initializer_list<Rule> rules, int stockColumn,
        int boardColumn, QObject* parent);
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    struct Translated
    {
        Rule rule;
        QString text;
        QString toolTip;
    };
    const Translated* match(const Field& field, const Record& record) const;

    std::vector<Translated> m_rules;
    int m_stockColumn;
    int m_boardColumn;
};

// "Тип сделки": execution, expiration, position transfer, addressed and combined-instrument deals.
class BASIC_VIEWS_EXPORT DealSignDelegate : public SignTextDelegate
{
public:
    explicit DealSignDelegate(ItemModelWithDelegates* model);
};

// "Тип заявки": iceberg orders.
class BASIC_VIEWS_EXPORT SignsOrderDelegate : public SignTextDelegate
{
public:
    explicit SignsOrderDelegate(ItemModelWithDelegates* model);
};
