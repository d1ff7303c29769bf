#pragma once

#include "views/find/abstractfindtoolbar.h"

class ItemViewFind;
class ItemViewFindToolBarPrivate;
class QAbstractItemView;
class QHeaderView;

// The find bar of one table or tree view; Esc in the view closes it too.
class BASIC_VIEWS_EXPORT ItemViewFindToolBar : public AbstractFindToolBar
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemViewFindToolBar)
public:
    explicit ItemViewFindToolBar(QWidget* parent = nullptr);
    // The bar's own slots, not hidden by the overrides below.
    using AbstractFindToolBar::filter;
    using AbstractFindToolBar::findNext;
    using AbstractFindToolBar::findPrev;

    void setView(QAbstractItemView* view);
    void setHeader(QHeaderView* header);
    ItemViewFind* finder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool isFilterAvailable() const override;
    bool findIncremental(const QString& text) override;
    bool findPrev(const QString& text) override;
    bool findNext(const QString& text) override;
    void filter(const QString& text) override;
    void resetSearch() override;
    void stopSearch() override;
};
