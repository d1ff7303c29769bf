#include "filters/itemviewfilterfunc.h"

#include "columns/itemmodelwithdelegates.h"

ItemViewFilterFunc::ItemViewFilterFunc(
    QObject* find, ItemModelWithDelegates* model, const ItemViewFindOptions& options, QObject* parent)
    : FilterFunc(parent)
    , m_find(find)
    , m_model(model)
    , m_options(options)
{ }

bool ItemViewFilterFunc::filter(const Record& record) const
{
    const ItemModelWithDelegates* model = m_model.data();
    const IItemViewFind* find = qobject_cast<IItemViewFind*>(m_find.data());
    if (!find || !model)
        return true;
    for (int column : find->searchedColumns()) {
        if (column < 0 || column >= model->columnCount())
            continue;
        const QVariant value = model->dataByRecord(record, column, Qt::DisplayRole);
        if (find->matches(value, column, m_options))
            return true;
    }
    return false;
}

QString ItemViewFilterFunc::toString() const
{
    return QStringLiteral("ItemViewFilterFunc[%1]").arg(m_options.text);
}
