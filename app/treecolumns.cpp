#include "treecolumns.h"

#include "columns/itemmodelwithdelegates.h"

#include <QHeaderView>
#include <QTreeView>

void showTreeColumns(QTreeView* view, const ItemModelWithDelegates* model, const QStringList& names, int minWidth)
{
    QHeaderView* header = view->header();
    QList<int> shown;
    for (const QString& name : names) {
        const int column = model->columnIndex(name);
        if (column >= 0)
            shown << column;
    }
    for (int column = 0; column < model->columnCount(); ++column)
        header->setSectionHidden(column, !shown.contains(column));
    for (int place = 0; place < shown.size(); ++place) {
        header->moveSection(header->visualIndex(shown.at(place)), place);
        if (place > 0)
            view->setColumnWidth(shown.at(place), qMax(minWidth, header->sectionSizeHint(shown.at(place))));
    }
}
