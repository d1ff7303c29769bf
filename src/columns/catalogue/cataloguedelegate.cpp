#include "columns/catalogue/cataloguedelegate.h"

#include "columns/catalogue/private/cataloguedelegate_p.h"

#include "columns/itemmodelwithdelegates.h"
#include "columns/itemroles.h"
#include "core/host/directories/tabledirectory.h"
#include "core/host/icore.h"

InstrumentColumns InstrumentColumns::of(const ItemModelWithDelegates* model)
{
    return { CatalogueDelegate::fieldIndex(model, "stock_id"), CatalogueDelegate::fieldIndex(model, "board_id"),
        CatalogueDelegate::fieldIndex(model, "sec_id") };
}

CatalogueDelegate::CatalogueDelegate(
    const ColumnHeaderInfo& header, FieldType::Type type, QObject* parent, int variantType)
    : CatalogueDelegate(*new CatalogueDelegatePrivate(header, type, variantType), parent)
{ }

CatalogueDelegate::CatalogueDelegate(CatalogueDelegatePrivate& dd, QObject* parent)
    : ColumnModelDelegate(parent)
    , m_d(&dd)
{
    if (dd.variantType < 0)
        dd.variantType = ItemModelWithDelegates::fieldTypeToVariantType(dd.type);
}

CatalogueDelegate::~CatalogueDelegate() = default;

FieldType::Type CatalogueDelegate::getType() const
{
    return d_func()->type;
}

int CatalogueDelegate::type() const
{
    return d_func()->variantType;
}

QString CatalogueDelegate::translated(const char* text)
{
    return hostTranslate("ColumnDelegates", text);
}

bool CatalogueDelegate::headerData(int role, QVariant& value) const
{
    const char* text = nullptr;
    switch (role) {
    case Qt::DisplayRole:
        text = d_func()->header.title;
        break;
    case Qt::EditRole:
    case ColumnNameRole:
        if (!d_func()->header.name)
            return false;
        value = QString::fromLatin1(d_func()->header.name);
        return true;
    case ColumnTypeNameRole:
        if (!d_func()->header.typeName)
            return false;
        value = QString::fromLatin1(d_func()->header.typeName);
        return true;
    case ColumnVisibleRole:
        if (!d_func()->header.answersVisible)
            return false;
        value = true;
        return true;
    case ColumnDescriptionRole:
        text = d_func()->header.description;
        break;
    case ColumnSampleTextRole:
        text = d_func()->header.sample;
        break;
    default:
        return false;
    }
    if (!text)
        return false;
    value = translated(text);
    return true;
}

void CatalogueDelegate::follow(const TableDirectory* directory)
{
    connect(directory, &TableDirectory::dataChanged, this, &ColumnModelDelegate::dataChanged);
}

int CatalogueDelegate::fieldIndex(const ItemModelWithDelegates* model, const char* name)
{
    return model ? model->fieldIndex(QString::fromLatin1(name)) : -1;
}

QVector<int> CatalogueDelegate::fieldIndexes(
    const ItemModelWithDelegates* model, std::initializer_list<const char*> names)
{
    QVector<int> columns;
    columns.reserve(int(names.size()));
    for (const char* name : names)
        columns << fieldIndex(model, name);
    return columns;
}

void CatalogueDelegate::requireColumns(const QVector<int>& columns, int line)
{
    QByteArray missing;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i) < 0)
            missing += (missing.isEmpty() ? "" : " ") + QByteArray::number(i);
    }
    if (!missing.isEmpty())
        qFatal("ASSERT failure in CHECK_COLUMNS_FUNC!\nUnsetted struct members found! Members position: %s\nFile %s, "
               "Line %d",
            missing.constData(), "columnmodeldelegate", line);
}

TextColumnDelegate::TextColumnDelegate(
    const ColumnHeaderInfo& header, Order order, QObject* parent, FieldType::Type type)
    : TextColumnDelegate(*new TextColumnDelegatePrivate(header, type, -1), order, parent)
{ }

TextColumnDelegate::TextColumnDelegate(TextColumnDelegatePrivate& dd, Order order, QObject* parent)
    : CatalogueDelegate(dd, parent)
{
    dd.order = order;
}

bool TextColumnDelegate::sortsEmptyLast() const
{
    return d_func()->order == TextOrderNullsLast;
}

bool TextColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    // Written into the value's own string: a copy into the value would count the text's references up and down
    // once more on every cell of the column.
    QVariant shown(QVariant::String);
    if (!text(field, record, *static_cast<QString*>(shown.data())))
        return false;
    value.swap(shown);
    return true;
}

bool TextColumnDelegate::compare(
    const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const
{
    if (d_func()->order == FieldOrder)
        return false;
    if (d_func()->order == TextOrderNullsLast && (f1.isNull() || f2.isNull())) {
        result = int(f1.isNull()) - int(f2.isNull());
        return true;
    }
    result = compareTexts(
        f1, r1, f2, r2, d_func()->order == TextOrderCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return true;
}

int TextColumnDelegate::compareTexts(
    const Field& f1, const Record& r1, const Field& f2, const Record& r2, Qt::CaseSensitivity cs) const
{
    QString t1, t2;
    text(f1, r1, t1);
    text(f2, r2, t2);
    return t1.compare(t2, cs);
}
