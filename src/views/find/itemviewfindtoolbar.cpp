#include "views/find/itemviewfindtoolbar.h"

#include "views/find/itemviewfind.h"

#include <QAbstractItemView>
#include <QKeyEvent>

ItemViewFindToolBar::ItemViewFindToolBar(QWidget* parent)
    : AbstractFindToolBar(parent)
    , m_find(new ItemViewFind(this))
{ }

void ItemViewFindToolBar::setView(QAbstractItemView* view)
{
    if (m_view)
        m_view->removeEventFilter(this);
    m_view = view;
    if (m_view)
        m_view->installEventFilter(this);
    m_find->setView(view);
}

bool ItemViewFindToolBar::eventFilter(QObject* watched, QEvent* event)
{
    // Esc closes the bar from the rows as well as from the bar: the trader reads the rows it found. The type is
    // asked first: the view's own destruction passes through here, when it is no item view any more.
    if (event->type() == QEvent::KeyPress && watched == m_view && isVisible()
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        close();
    return AbstractFindToolBar::eventFilter(watched, event);
}

void ItemViewFindToolBar::setHeader(QHeaderView* header)
{
    m_find->setHeader(header);
}

bool ItemViewFindToolBar::isFilterAvailable() const
{
    return m_find->isFilterAvailable();
}

bool ItemViewFindToolBar::findIncremental(const QString& text)
{
    return m_find->findIncremental(text);
}

bool ItemViewFindToolBar::findPrev(const QString& text)
{
    return m_find->findPrev(text);
}

bool ItemViewFindToolBar::findNext(const QString& text)
{
    return m_find->findNext(text);
}

void ItemViewFindToolBar::filter(const QString& text)
{
    m_find->filter(text);
}

void ItemViewFindToolBar::resetSearch()
{
    m_find->filter(QString());
}

void ItemViewFindToolBar::stopSearch()
{
    m_find->stop();
}
