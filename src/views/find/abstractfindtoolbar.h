#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QToolBar>

class AbstractFindToolBarPrivate;
class FilterLineEdit;

// The find bar: a text, previous and next (the platform's find keys, and Return for next), "Фильтр" to keep only
// the rows showing the text (the filter then follows the text as it changes), and "Готово" (Esc) to close. While a
// search runs the actions rest and the busy indicator turns; a new text stops the running search. "Не найдено" shows
// after a search when nothing was found since the text last changed. What searching means is the subclass's business.
class BASIC_VIEWS_EXPORT AbstractFindToolBar : public QToolBar
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, AbstractFindToolBar)
public:
    explicit AbstractFindToolBar(QWidget* parent = nullptr);
    ~AbstractFindToolBar() override;

    FilterLineEdit* lineEdit() const;
    QString statusText() const;
    bool isFound() const;
    bool isSearching() const;
    QAction* previousAction() const;
    QAction* nextAction() const;
    QAction* filterAction() const;
    QAction* closeAction() const;

public Q_SLOTS:
    // Shows the bar with the filter offered when the view can filter, and puts the focus in the text.
    void openFind();
    void findPrev();
    void findNext();
    void filter();
    // Stops a search, takes the row filter off and hides the bar.
    void close();
    void textChanged(const QString& text);
    // The filter action only where filtering is available.
    void setActionsEnabled(bool enabled);

protected:
    AbstractFindToolBar(AbstractFindToolBarPrivate& dd, QWidget* parent);

    void changeEvent(QEvent* event) override;
    virtual bool isFilterAvailable() const = 0;
    // Each returns whether a cell was found.
    virtual bool findIncremental(const QString& text) = 0;
    virtual bool findPrev(const QString& text) = 0;
    virtual bool findNext(const QString& text) = 0;
    virtual void filter(const QString& text) = 0;
    // Takes the row filter off.
    virtual void resetSearch() = 0;
    // Ends a running search without a result.
    virtual void stopSearch() = 0;

private:
    static QString notFoundText();
    void retranslate();
    using Search = bool (AbstractFindToolBar::*)(const QString&);
    void run(Search search);
    void onTypingPaused();

protected:
    // The find bars' private classes form a chain beside the public ones.
    QScopedPointer<AbstractFindToolBarPrivate> m_d;
};
