#pragma once

#include "columns/columnmodeldelegate.h"
#include "columns/itemmodelwithdelegates.h"

#include <QScopedPointer>
#include <QVector>

#include <initializer_list>

class CatalogueDelegatePrivate;
class TableDirectory;
class TextColumnDelegatePrivate;

// How a catalogue column describes itself in the header. Texts are source texts (translated in the
// "ColumnDelegates" context when asked); a null text leaves its role unanswered.
struct ColumnHeaderInfo
{
    const char* title = nullptr; // Qt::DisplayRole
    const char* name = nullptr; // Qt::EditRole and ColumnNameRole
    const char* typeName = nullptr; // ColumnTypeNameRole
    const char* description = nullptr; // ColumnDescriptionRole
    const char* sample = nullptr; // ColumnSampleTextRole
    bool answersVisible = true; // ColumnVisibleRole: true
};

// The fields of a record that name its instrument: market, board and security id.
struct BASIC_VIEWS_EXPORT InstrumentColumns
{
    int stock = -1;
    int board = -1;
    int sec = -1;

    // The model's "stock_id", "board_id" and "sec_id" (-1 for those it has not).
    static InstrumentColumns of(const ItemModelWithDelegates* model);
    int stockOf(const Record& record) const { return record.data(stock).toInteger(); }
    int boardOf(const Record& record) const { return record.data(board).toInteger(); }
    qint64 secOf(const Record& record) const { return record.data(sec).toInteger64(); }
};

// The base of the column delegate catalogue: the header answers of a column, the types it shows, the
// directories whose reload repaints it, and the record fields it reads, found by name in the model.
class BASIC_VIEWS_EXPORT CatalogueDelegate : public ColumnModelDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, CatalogueDelegate)
public:
    ~CatalogueDelegate() override;
    bool headerData(int role, QVariant& value) const override;
    FieldType::Type getType() const override;
    int type() const override;

    // A catalogue text in the user's language.
    static QString translated(const char* text);
    // The model's index of the named field, -1 when it has none (or without a model).
    static int fieldIndex(const ItemModelWithDelegates* model, const char* name);

protected:
    // Without a variant type the field type's one is used.
    CatalogueDelegate(const ColumnHeaderInfo& header, FieldType::Type type, QObject* parent, int variantType = -1);
    // Subclasses with data of their own pass their private class (made from the same header and type).
    CatalogueDelegate(CatalogueDelegatePrivate& dd, QObject* parent);

    // A reload of the directory repaints the column.
    void follow(const TableDirectory* directory);
    static QVector<int> fieldIndexes(const ItemModelWithDelegates* model, std::initializer_list<const char*> names);
    // A delegate that cannot work without its fields stops the program when one is missing: putting it on a model
    // without them is a wiring error, not a condition to handle.
    static void requireColumns(const QVector<int>& columns, int line);

    QScopedPointer<CatalogueDelegatePrivate> m_d;
};

// A column that shows a text made from its field and record, and may sort by that text.
class BASIC_VIEWS_EXPORT TextColumnDelegate : public CatalogueDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TextColumnDelegate)
public:
    enum Order {
        FieldOrder, // the model compares the raw fields
        TextOrder, // shown texts without regard to case
        TextOrderCaseSensitive,
        TextOrderNullsLast, // shown texts without regard to case, null fields after every value
    };

    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;
    bool sortsEmptyLast() const override;

protected:
    TextColumnDelegate(
        const ColumnHeaderInfo& header, Order order, QObject* parent, FieldType::Type type = FieldType::String);
    TextColumnDelegate(TextColumnDelegatePrivate& dd, Order order, QObject* parent);
    // The display text; false leaves the display role unanswered.
    virtual bool text(const Field& field, const Record& record, QString& text) const = 0;
    // The order of two shown texts; members with a cheaper way to the same order override it.
    virtual int compareTexts(
        const Field& f1, const Record& r1, const Field& f2, const Record& r2, Qt::CaseSensitivity cs) const;
};
