#pragma once

#include "views/iview.h"

#include <QWidget>

class InstrumentPicks;
class QAction;
class SecurityActions;
class QTableView;

// "Мои инструменты": the terminal's pick of instruments as a list the trader orders by dragging rows (several at
// once, also after the last row), sorts by a click on a column's title (the next drag keeps that order as their
// own) and thins out with Delete. Its rows offer the instrument commands of every window (a double click opens
// the quotes). The list is stored with the window.
class PicksWindow : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    PicksWindow(InstrumentPicks* picks, QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }
    // "Удалить из списка" (Delete): the selected rows leave the list.
    QAction* removeAction() const { return m_remove; }
    SecurityActions* securityActions() const { return m_securityActions; }

    void initCore(ICore* core) override;
    QList<QAction*> getActions() override;
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void removeSelected();
    // Columns are sized to the first rows the list gets: an empty list has nothing to size them by.
    void sizeColumnsToFirstRows();

    InstrumentPicks* m_picks; // not owned
    QTableView* m_view;
    QAction* m_remove;
    SecurityActions* m_securityActions;
    bool m_columnsSized = false;
};
