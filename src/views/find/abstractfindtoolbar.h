#pragma once

#include "basic_views_export.h"

#include <QToolBar>

class FilterLineEdit;
class QLabel;
class QProgressIndicator;

// The find bar: a text, previous and next (the platform's find keys, and Return for next), "Фильтр" to keep only
// the rows showing the text (the filter then follows the text as it changes), and "Готово" (Esc) to close. While a
// search runs the actions rest and the busy indicator turns; a new text stops the running search. "Не найдено" shows
// after a search when nothing was found since the text last changed. What searching means is the subclass's business.
class BASIC_VIEWS_EXPORT AbstractFindToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit AbstractFindToolBar(QWidget* parent = nullptr);

    FilterLineEdit* lineEdit() const { return m_edit; }
    QString statusText() const;
    bool isFound() const { return m_found; }
    bool isSearching() const { return m_searching; }
    QAction* previousAction() const { return m_previous; }
    QAction* nextAction() const { return m_next; }
    QAction* filterAction() const { return m_filter; }
    QAction* closeAction() const { return m_close; }

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

    FilterLineEdit* m_edit;
    QProgressIndicator* m_busy;
    QLabel* m_status;
    QAction* m_previous;
    QAction* m_next;
    QAction* m_nextByEnter;
    QAction* m_filter;
    QAction* m_close;
    bool m_found = false;
    bool m_searching = false;
    // Typing paused during a search: the incremental search follows it.
    bool m_incrementalPending = false;
    // The rows are filtered by the text: a new text filters anew.
    bool m_filtering = false;
};
