#include "views/find/itemviewfindtoolbar.h"

#include "views/find/itemviewfind.h"

ItemViewFindToolBar::ItemViewFindToolBar(QWidget* parent)
    : AbstractFindToolBar(parent)
    , m_find(new ItemViewFind(this))
{ }

void ItemViewFindToolBar::setView(QAbstractItemView* view)
{
    m_find->setView(view);
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
