#include "filters/private/itemviewfilterfunc.h"

#include "columns/itemmodelwithdelegates.h"

ItemViewFilterFunc::ItemViewFilterFunc(
    const ItemViewTextMatch& match, ItemModelWithDelegates* model, const QList<int>& columns, QObject* parent)
    : FilterFunc(parent)
    , m_match(match)
    , m_model(model)
    , m_columns(columns)
{ }

bool ItemViewFilterFunc::filter(const Record& record) const
{
    const ItemModelWithDelegates* model = m_model.data();
    if (!model)
        return true;
    const int columns = model->columnCount();
    for (int column : m_columns) {
        if (column >= 0 && column < columns
            && m_match.acceptsData(model->dataByRecord(record, column, Qt::DisplayRole), column))
            return true;
    }
    return false;
}

QString ItemViewFilterFunc::toString() const
{
    return QStringLiteral("ItemViewFilterFunc[%1]").arg(m_match.text());
}
