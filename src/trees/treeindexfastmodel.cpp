#include "trees/treeindexfastmodel.h"

#include "trees/private/treeindexfastmodel_p.h"

#include "core/db/appsettings.h"

namespace {

// Restores the item signals flag on every exit, an exception's included.
class ItemSignalsGuard
{
public:
    ItemSignalsGuard(TreeIndexModel* model, bool on)
        : m_model(model)
        , m_was(model->itemSignals())
    {
        model->setItemSignals(on);
    }
    ~ItemSignalsGuard() { m_model->setItemSignals(m_was); }

private:
    Q_DISABLE_COPY(ItemSignalsGuard)
    TreeIndexModel* m_model;
    bool m_was;
};

} // namespace

TreeIndexFastModel::TreeIndexFastModel(Table* table, QObject* parent)
    : TreeIndexModel(table, *new TreeIndexFastModelPrivate, parent)
{
    Q_D(TreeIndexFastModel);
    d->threshold
        = AppSettings(QStringLiteral("Database")).value(QStringLiteral("TreeIndexFastModelBatch"), 500).toInt();
}

int TreeIndexFastModel::batchThreshold() const
{
    Q_D(const TreeIndexFastModel);
    return d->threshold;
}

void TreeIndexFastModel::setBatchThreshold(int threshold)
{
    Q_D(TreeIndexFastModel);
    d->threshold = threshold;
}

void TreeIndexFastModel::process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added)
{
    Q_D(const TreeIndexFastModel);
    const int threshold = d->threshold;
    const bool large
        = threshold > 0 && (removed.size() > threshold || updated.size() > threshold || added.size() > threshold);
    const ItemSignalsGuard guard(this, itemSignals() && !large);
    TreeIndexModel::process(removed, updated, firstColumn, lastColumn, added);
}

QString TreeIndexFastModel::getClassName() const
{
    return QStringLiteral("TreeIndexFastModel");
}
