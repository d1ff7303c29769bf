#include "trees/treeindexfastmodel.h"

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
    : TreeIndexModel(table, parent)
    , m_threshold(AppSettings(QStringLiteral("Database")).value(QStringLiteral("TreeIndexFastModelBatch"), 500).toInt())
{ }

void TreeIndexFastModel::process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added)
{
    const bool large = m_threshold > 0
        && (removed.size() > m_threshold || updated.size() > m_threshold || added.size() > m_threshold);
    const ItemSignalsGuard guard(this, itemSignals() && !large);
    TreeIndexModel::process(removed, updated, firstColumn, lastColumn, added);
}

QString TreeIndexFastModel::getClassName() const
{
    return QStringLiteral("TreeIndexFastModel");
}
