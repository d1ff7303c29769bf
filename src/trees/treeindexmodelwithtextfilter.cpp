#include "trees/treeindexmodelwithtextfilter.h"

#include "trees/private/treeindexmodelwithtextfilter_p.h"

#include "trees/groupment.h"
#include "trees/groupmenttreeitem.h"

#include <memory>

TreeIndexModelWithTextFilter::TreeIndexModelWithTextFilter(Table* table, QObject* parent)
    : TreeIndexModelWithTextFilter(table, *new TreeIndexModelWithTextFilterPrivate, parent)
{ }

TreeIndexModelWithTextFilter::TreeIndexModelWithTextFilter(
    Table* table, TreeIndexModelWithTextFilterPrivate& dd, QObject* parent)
    : TreeIndexModel(table, dd, parent)
{ }

QString TreeIndexModelWithTextFilter::filterText() const
{
    Q_D(const TreeIndexModelWithTextFilter);
    return d->text;
}

void TreeIndexModelWithTextFilter::setFilterText(const QString& text)
{
    Q_D(TreeIndexModelWithTextFilter);
    if (text == d->text)
        return;
    d->text = text;
    rebuild();
    Q_EMIT filterTextChanged(text);
}

bool TreeIndexModelWithTextFilter::filter(const Record& record) const
{
    Q_D(const TreeIndexModelWithTextFilter);
    return TreeIndexModel::filter(record) && (d->text.isEmpty() || matchesText(record));
}

bool TreeIndexModelWithTextFilter::matchesText(const Record& record) const
{
    Q_D(const TreeIndexModelWithTextFilter);
    const QList<Groupment*> levels = groupmentList();
    if (levels.isEmpty())
        return false;
    // The leaf the record would get shows the cells, the way the tree will show them.
    const Groupment* last = levels.last();
    const std::unique_ptr<GroupmentTreeItem> leaf(last->createGroup(nullptr, last->groupKey(record), record));
    if (leaf) {
        leaf->setModel(const_cast<TreeIndexModelWithTextFilter*>(this));
        leaf->addRecord(record);
        for (int column = 0; column < columnCount(); ++column) {
            if (leaf->data(column, Qt::DisplayRole).toString().contains(d->text, Qt::CaseInsensitive))
                return true;
        }
    }
    for (int level = 0; level + 1 < levels.size(); ++level) {
        if (levels.at(level)->groupName(record).contains(d->text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString TreeIndexModelWithTextFilter::getClassName() const
{
    return QStringLiteral("TreeIndexModelWithTextFilter");
}
