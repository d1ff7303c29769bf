#include "views/find/itemviewfindtoolbar.h"

#include "views/find/itemviewfind.h"
#include "views/find/private/itemviewfindtoolbar_p.h"

#include <QAbstractItemView>
#include <QKeyEvent>

ItemViewFindToolBar::ItemViewFindToolBar(QWidget* parent)
    : AbstractFindToolBar(*new ItemViewFindToolBarPrivate, parent)
{
    Q_D(ItemViewFindToolBar);
    d->find = new ItemViewFind(this);
}

ItemViewFind* ItemViewFindToolBar::finder() const
{
    Q_D(const ItemViewFindToolBar);
    return d->find;
}

void ItemViewFindToolBar::setView(QAbstractItemView* view)
{
    Q_D(ItemViewFindToolBar);
    if (d->view)
        d->view->removeEventFilter(this);
    d->view = view;
    if (d->view)
        d->view->installEventFilter(this);
    d->find->setView(view);
}

bool ItemViewFindToolBar::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(ItemViewFindToolBar);
    // Esc closes the bar from the rows as well as from the bar: the trader reads the rows it found. The type is
    // asked first: the view's own destruction passes through here, when it is no item view any more.
    if (event->type() == QEvent::KeyPress && watched == d->view && isVisible()
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        close();
    return AbstractFindToolBar::eventFilter(watched, event);
}

void ItemViewFindToolBar::setHeader(QHeaderView* header)
{
    Q_D(ItemViewFindToolBar);
    d->find->setHeader(header);
}

bool ItemViewFindToolBar::isFilterAvailable() const
{
    Q_D(const ItemViewFindToolBar);
    return d->find->isFilterAvailable();
}

bool ItemViewFindToolBar::findIncremental(const QString& text)
{
    Q_D(ItemViewFindToolBar);
    return d->find->findIncremental(text);
}

bool ItemViewFindToolBar::findPrev(const QString& text)
{
    Q_D(ItemViewFindToolBar);
    return d->find->findPrev(text);
}

bool ItemViewFindToolBar::findNext(const QString& text)
{
    Q_D(ItemViewFindToolBar);
    return d->find->findNext(text);
}

void ItemViewFindToolBar::filter(const QString& text)
{
    Q_D(ItemViewFindToolBar);
    d->find->filter(text);
}

void ItemViewFindToolBar::resetSearch()
{
    Q_D(ItemViewFindToolBar);
    d->find->filter(QString());
}

void ItemViewFindToolBar::stopSearch()
{
    Q_D(ItemViewFindToolBar);
    d->find->stop();
}
