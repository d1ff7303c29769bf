#include "trees/view/private/treegroupsviewmenu.h"

#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/treegroupsview.h"
#include "views/find/itemviewfindtoolbar.h"
#include "views/fitwidthaction.h"
#include "windows/viewwrapper.h"

#include <QAction>
#include <QMenu>

TreeGroupsViewMenu::TreeGroupsViewMenu(TreeGroupsView* view)
    : QObject(view)
    , m_view(view)
    , m_findBar(new ItemViewFindToolBar)
    , m_findAction(new QAction(this))
    , m_fitAll(new QAction(this))
{
    retranslate();
    m_findBar->setView(view);
    m_findBar->setHeader(view->groupsHeader());
    m_findBar->hide();
    m_findAction->setObjectName(QStringLiteral("Find"));
    m_findAction->setShortcut(QKeySequence::Find);
    m_findAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_findAction, &QAction::triggered, m_findBar, &AbstractFindToolBar::openFind);
    view->addAction(m_findAction);
    connect(m_fitAll, &QAction::triggered, view, &TreeGroupsView::resizeColumnsToContents);
}

TreeGroupsViewMenu::~TreeGroupsViewMenu()
{
    delete m_findBar;
}

ItemViewFindToolBar* TreeGroupsViewMenu::findBar() const
{
    return m_findBar;
}

QList<QAction*> TreeGroupsViewMenu::actions() const
{
    return m_view->wrapper()->actions() << m_findAction;
}

void TreeGroupsViewMenu::populateForColumn(int column, QMenu* menu) const
{
    if (column > 0 && m_view->groupsModel()) {
        QAction* action = FitWidthAction::add(menu, m_view->groupsModel(), column);
        connect(action, &QAction::triggered, m_view, &TreeGroupsView::resizeAColumnToContents);
    }
    menu->addAction(m_fitAll);
}

void TreeGroupsViewMenu::populateForIndex(const QModelIndex& index, QMenu* menu) const
{
    populateForColumn(m_view->isGroupRow(index) ? 0 : index.column(), menu);
}

void TreeGroupsViewMenu::populateAt(const QPoint& at, QMenu* menu) const
{
    menu->addAction(m_findAction);
    menu->addSeparator();
    TreeGroupsHeaderView* header = m_view->groupsHeader();
    if (header->isVisible() && header->geometry().contains(at)) {
        const int section = header->logicalIndexAt(header->mapFrom(m_view, at));
        if (section >= 0)
            populateForColumn(section, menu);
        if (QMenu* columns = header->createColumnsMenu()) {
            columns->setParent(menu, columns->windowFlags());
            menu->addMenu(columns);
        }
    } else if (m_view->viewport()->geometry().contains(at)) {
        const QModelIndex index = m_view->indexAt(m_view->viewport()->mapFrom(m_view, at));
        if (index.isValid())
            populateForIndex(index, menu);
    }
    menu->addSeparator();
    menu->addActions(m_view->wrapper()->actions());
}

void TreeGroupsViewMenu::retranslate()
{
    // The view's texts: its commands, whichever part of it makes them.
    m_findAction->setText(TreeGroupsView::tr("Найти..."));
    m_fitAll->setText(TreeGroupsView::tr("Подобрать ширину всех столбцов"));
}
