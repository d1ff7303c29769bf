#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

class MarketFeed;

// Runs the terminal at the feed's rate for a while and measures what a trader would feel: how long each batch
// takes the tables, models and views, how late the event loop answers a 10 ms timer, and how the process's
// memory grows against the rows added. Prints BENCH lines and quits the application at the end.
class SoakRun : public QObject
{
    Q_OBJECT
public:
    SoakRun(MarketFeed* feed, int seconds, std::function<qint64()> rowCount, QObject* parent = nullptr);
    void start();

private:
    void onBatch(int changes, double milliseconds);
    void onTick();
    void finish();

    MarketFeed* m_feed; // not owned
    int m_seconds;
    std::function<qint64()> m_rowCount;
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    std::vector<double> m_batchMs;
    std::vector<double> m_lateMs;
    qint64 m_changes = 0;
    qint64 m_rssStart = 0;
    qint64 m_rowsStart = 0;
};
