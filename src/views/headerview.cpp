#include "views/headerview.h"

#include "columns/itemroles.h"
#include "views/headerproxystyle.h"
#include "views/private/headerview_p.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

HeaderView::HeaderView(Qt::Orientation orientation, QWidget* parent)
    : HeaderView(*new HeaderViewPrivate, orientation, parent)
{ }

HeaderView::HeaderView(HeaderViewPrivate& dd, Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
    , m_d(&dd)
{
    if (HeaderProxyStyle* style = HeaderProxyStyle::instance())
        setStyle(style);
}

HeaderView::~HeaderView() = default;

QMenu* HeaderView::createColumnsMenu()
{
    QAbstractItemModel* columns = model();
    if (!columns)
        return nullptr;
    auto* menu = new QMenu(tr("Столбцы"));
    QList<QAction*> actions;
    const int shown = count() - hiddenSectionCount();
    for (int section = 0; section < count(); ++section) {
        if (columns->headerData(section, orientation(), ColumnHiddenRole).toBool())
            continue;
        auto* action = new QAction(columns->headerData(section, orientation(), Qt::DisplayRole).toString(), menu);
        action->setCheckable(true);
        action->setChecked(!isSectionHidden(section));
        action->setEnabled(isSectionHidden(section) || shown > 1);
        action->setData(section);
        connect(action, &QAction::triggered, this, &HeaderView::onColumnActionTriggered);
        actions << action;
    }
    std::sort(actions.begin(), actions.end(),
        [](const QAction* a, const QAction* b) { return a->text().localeAwareCompare(b->text()) < 0; });
    menu->addActions(actions);
    return menu;
}

QList<int> HeaderView::getVisibleColumns(const QHeaderView* header)
{
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns << logical;
    }
    return columns;
}

void HeaderView::onColumnActionTriggered(bool checked)
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const int section = action->data().toInt();
    setSectionHidden(section, !checked);
    // A column hidden while narrow would come back as a sliver.
    if (checked && sectionSize(section) < minimumSectionSize() * 2)
        resizeSection(section, defaultSectionSize());
    Q_EMIT columnActionTriggered(section, checked);
}

bool HeaderView::event(QEvent* event)
{
    Q_D(HeaderView);
    if (event->type() == QEvent::WindowActivate) {
        // The press and release of the activating click arrive after this; the posted event comes after them.
        d->mouseBlocked = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        return true;
    }
    if (event->type() == QEvent::User) {
        d->mouseBlocked = false;
        return true;
    }
    // The models translate their titles when asked: a new language asks them again, and the sizes they need.
    if (event->type() == QEvent::LanguageChange && model() && count() > 0)
        headerDataChanged(orientation(), 0, count() - 1);
    return QHeaderView::event(event);
}

void HeaderView::mousePressEvent(QMouseEvent* event)
{
    Q_D(HeaderView);
    if (!d->mouseBlocked)
        QHeaderView::mousePressEvent(event);
}

void HeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    Q_D(HeaderView);
    if (!d->mouseBlocked)
        QHeaderView::mouseReleaseEvent(event);
}
