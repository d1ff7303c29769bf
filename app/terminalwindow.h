#pragma once

#include <QMainWindow>
#include <QPair>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class EmbeddedCore;
class ProgressStatus;
class HostWindow;
class ImportCommand;
class Index;
class InstrumentWindows;
class MarketFeed;
class MoneyLimits;
class ProxyIView;
class QLabel;
class QMenu;
class QListWidget;
class QMdiArea;
class QMenu;
class StreamReplayer;
class TableWindow;
class WindowCatalogue;

// The demo terminal's main window, "Демонстрационный терминал": the windows menu opens live windows over
// the market's instruments, orders, deals and positions, any number of each, and their rows' instrument commands
// open quotes, charts, deals, cards and volatility curves; the status bar tells the feed's rate, the rows the
// open windows show, how long the last batch took, whether the exchange is connected and whether dynamic
// exports run; the notification pane lists what the host was told (for example, transactions the exchange
// refused). The market menu takes the connection to the exchange down and up again: while it is down the feed
// stops and nothing is sent. Without a feed the market menu has no feed entries.
//
// It opens within the available part of its screen. The open windows (kind, place, each view's state, running
// dynamic exports included) and its own place are stored on exit and every minute, and restoreSession() brings
// them back on the next start, each place only where it still fits. The clients' money limits are read from
// their file when the window is made; the "Правка" menu undoes and redoes their changes.
class TerminalWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The terminal on the market moved by `feed`, which may be null.
    TerminalWindow(EmbeddedCore* core, MarketFeed* feed, QWidget* parent = nullptr);
    // The terminal on a recorded stream: no exchange stands behind it, so the connection is down and the trading
    // commands are off; the money limits are the recording's, neither read from their file nor written to it. The
    // status bar follows the replay, and the messages tell what the tables could not take and how it ended.
    TerminalWindow(EmbeddedCore* core, StreamReplayer* replayer, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // Opens a new window of a kind ("instruments", "orders", "deals", "positions" or "limits"); null (and a
    // notification) for an unknown kind or a table the host has not loaded.
    HostWindow* openWindow(const QString& kind);
    // The first open window of a kind, or a new one.
    HostWindow* windowOf(const QString& kind);
    QList<HostWindow*> windows() const;
    // The table view a window shows now; null when it shows none.
    static TableWindow* tableView(HostWindow* window);
    // The model of the view a window shows now, as the tables know it; null when it shows none.
    static const Index* modelOf(HostWindow* window);
    // The model of every open window, named by its kind and view ("orders", "orders_tree", "orders_groups"; a second
    // window of the same kind and view adds its number): what a soak run measures.
    std::vector<std::pair<QString, const Index*>> measuredModels() const;
    // One window of each kind, tiled.
    void openAll();
    // A window of each kind in each of its views (tables, trees, grouped trees), tiled: the load a soak measures.
    void openEveryView();
    // The windows side by side in a grid that fills the area.
    void tile();
    // The windows stepped down from the top left, each keeping its size where it fits.
    void cascade();
    // The money limits the terminal keeps; null when the host has no such table.
    MoneyLimits* moneyLimits() const { return m_limits; }
    ImportCommand* importCommand() const { return m_import; }

    // Writes the open windows; false (and a notification) when the file cannot be written.
    bool storeSession();
    // Opens the stored windows; false when there were none to open (or the file was unusable, which is
    // reported and kept aside).
    bool restoreSession();
    // On by default: the windows are stored on exit and every minute.
    void setSessionKept(bool kept) { m_sessionKept = kept; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // A language change sets every text of the window and of its menus again and retitles the open windows.
    void changeEvent(QEvent* event) override;

private:
    TerminalWindow(EmbeddedCore* core, MarketFeed* feed, StreamReplayer* replayer, QWidget* parent);
    void followReplay();
    // The default place: within the available part of the window's screen.
    void fitToScreen();
    // Whether a stored place lies wholly inside the available part of a screen.
    bool fitsScreen(const QRect& geometry) const;
    // `place` moved inside `area`, and shrunk to it where it is larger.
    static QRect withinArea(const QRect& place, const QRect& area);
    // The window manager's frame around the window.
    QMargins frameMargins() const;
    // A new window's view, titled apart from the open windows of its kind; null (and a notification) when
    // the kind cannot be made.
    ProxyIView* newView(const QString& kind);
    // The kind's title, numbered past the titles taken.
    QString titleApart(const QString& kind, const QSet<QString>& taken) const;
    // Calls `set` now and on every language change while `target` lives.
    void keepText(QObject* target, const std::function<void()>& set);
    void addLanguageChoice(QMenu* menu);
    HostWindow* addWindow(const QString& kind, ProxyIView* view);
    void showSettings();
    // A checkable entry per board of the market: the host's choice of boards.
    void addBoardChoice(QMenu* menu);
    void onBatchApplied(int changes, double milliseconds);
    void onNotified(const QString& text);
    void updateStatus();
    void addConnectionSwitch(QMenu* market);

    EmbeddedCore* m_core; // not owned
    MarketFeed* m_feed; // not owned, may be null
    QPointer<StreamReplayer> m_replayer; // null on the market
    MoneyLimits* m_limits; // a child, made before the catalogue whose windows edit it
    std::unique_ptr<WindowCatalogue> m_catalogue;
    QMdiArea* m_area;
    QListWidget* m_notifications;
    QLabel* m_rate;
    QLabel* m_rows;
    QLabel* m_batch;
    QLabel* m_connection;
    ProgressStatus* m_progress; // child, the host's progress display while the window lives
    InstrumentWindows* m_instrumentWindows; // child
    ImportCommand* m_import; // child
    bool m_sessionKept = true;
    bool m_feedWasRunning = false; // when the connection went down
    bool m_skipsTold = false; // the first changes a replay skipped were reported
    bool m_replayTold = false; // the recording and its pace were named
    QPair<int, double> m_lastBatch { -1, 0.0 }; // changes and milliseconds; none yet
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_texts;
};
