#pragma once

#include <QObject>

class IndexModelFilterRecord;
class InstrumentPicks;
class QAction;
class QMenu;
class Record;
class Settings;
class TableFastViewWithFilter;

// Ties an instruments window to the trader's pick. Its menu adds the selected instruments to "Мои инструменты"
// (or takes them out), and "Только мои инструменты" shows only the picked instruments, in the pick's order, live
// under the feed; there, dragging rows reorders the pick, and a click on a column's title sorts the window until
// the next drag. The choice is stored with the window.
class PicksLink : public QObject
{
    Q_OBJECT
public:
    PicksLink(IndexModelFilterRecord* model, TableFastViewWithFilter* view, InstrumentPicks* picks);

    QAction* onlyPicksAction() const { return m_onlyPicks; }
    bool isOnlyPicks() const;
    void setOnlyPicks(bool on);
    // The pick's entries for the selected instruments, then the switch.
    void populateMenu(const QList<Record>& selected, QMenu* menu);
    // "picksOnly", and the pick itself while it is on.
    void store(Settings& settings) const;
    void restore(const Settings& values);

protected:
    bool event(QEvent* event) override;

private:
    void retranslate();
    // The pick changed: the window shows it anew.
    void followPicks();
    // Rows dragged in the window: the pick takes their order.
    void takeRowOrder();

    IndexModelFilterRecord* m_model; // not owned
    TableFastViewWithFilter* m_view; // not owned
    InstrumentPicks* m_picks; // not owned
    QAction* m_onlyPicks;
    int m_sortColumn = -1; // the window's sort before it showed the pick
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
