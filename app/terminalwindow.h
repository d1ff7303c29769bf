#pragma once

#include <QMainWindow>

class EmbeddedCore;
class MarketFeed;
class QLabel;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class TableWindow;

// The demo terminal's main window, "Демонстрационный терминал": the windows menu opens live windows over
// the market's instruments, orders, deals and positions; the status bar tells the feed's rate, the rows the
// open windows show and how long the last batch took; the notification pane lists what the host was told
// (for example, transactions the exchange refused).
class TerminalWindow : public QMainWindow
{
    Q_OBJECT
public:
    TerminalWindow(EmbeddedCore* core, MarketFeed* feed, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // Opens (or brings forward) the window of a table: "securities", "orders", "deals" or "positions"; null
    // (and a notification) when the host has no such table.
    TableWindow* openWindow(const QString& table);
    // Opens the four windows tiled.
    void openAll();

private:
    void onBatchApplied(int changes, double milliseconds);
    void onNotified(const QString& text);
    void updateStatus();

    EmbeddedCore* m_core; // not owned
    MarketFeed* m_feed; // not owned
    QMdiArea* m_area;
    QListWidget* m_notifications;
    QLabel* m_rate;
    QLabel* m_rows;
    QLabel* m_batch;
    QHash<QString, QMdiSubWindow*> m_windows;
};
