#include "trees/treeindexmodelwithtextfilter.h"

#include "trees/groupment.h"
#include "trees/groupmenttreeitem.h"

#include <memory>

TreeIndexModelWithTextFilter::TreeIndexModelWithTextFilter(Table* table, QObject* parent)
    : TreeIndexModel(table, parent)
{ }

void TreeIndexModelWithTextFilter::setFilterText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    rebuild();
    Q_EMIT filterTextChanged(text);
}

bool TreeIndexModelWithTextFilter::filter(const Record& record) const
{
    return TreeIndexModel::filter(record) && (m_text.isEmpty() || matchesText(record));
}

bool TreeIndexModelWithTextFilter::matchesText(const Record& record) const
{
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
            if (leaf->data(column, Qt::DisplayRole).toString().contains(m_text, Qt::CaseInsensitive))
                return true;
        }
    }
    for (int level = 0; level + 1 < levels.size(); ++level) {
        if (levels.at(level)->groupName(record).contains(m_text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString TreeIndexModelWithTextFilter::getClassName() const
{
    return QStringLiteral("TreeIndexModelWithTextFilter");
}
