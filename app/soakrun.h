#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

class Index;

// What moves the tables during a soak run: the live feed, or a recorded stream played back.
struct SoakSource
{
    std::function<void()> start;
    std::function<void()> stop;
    // Milliseconds the source spent making its last batch, before the tables had it.
    std::function<double()> generationMs;
    QString description; // for the report's header
    // A source that makes its batches on a thread of its own: the batches waiting for the GUI thread, and the
    // processor time that thread used so far. Either may be left empty.
    std::function<int()> queued;
    std::function<qint64()> threadCpuNsecs;
};

// Runs the terminal on its source (connect the source's batches to onBatch()) for a while and measures what a trader
// would feel: how long each batch takes the tables, models and views, how late the event loop answers a 10 ms timer,
// and how the process's memory grows against the rows added, and where the time goes: the feed making its batches, the
// tables committing them, the models analysing them and signalling the views, the windows painting. Prints BENCH lines
// and quits the application at the end.
class SoakRun : public QObject
{
    Q_OBJECT
public:
    SoakRun(SoakSource source, int seconds, std::function<qint64()> rowCount, QObject* parent = nullptr);
    // A window's model, reported on its own in the breakdown.
    void addModel(const QString& name, const Index* model);
    // Nanoseconds spent painting so far.
    void setPaintClock(std::function<qint64()> paintNsecs) { m_paintNsecs = std::move(paintNsecs); }
    void start();
    // A batch of the source: its changes and the milliseconds the tables and their models took.
    void onBatch(int changes, double milliseconds);
    // Ends the run before its time, when the source has nothing more.
    void finish();

private:
    // Nanoseconds spent in each stage since the start.
    struct Stages
    {
        double generation = 0;
        double commit = 0; // tables and models
        double indexes = 0; // every index: the windows' models and the tables' own
        double models = 0; // the windows' models
        double paint = 0;
        double guiCpu = 0; // the GUI thread's processor time
        double sourceCpu = 0; // the source thread's
        std::vector<double> eachModel;
    };
    Stages stages() const;
    void onTick();
    void printBreakdown(const Stages& from, const Stages& to, double seconds) const;

    SoakSource m_source;
    int m_seconds;
    std::function<qint64()> m_rowCount;
    std::function<qint64()> m_paintNsecs;
    std::vector<std::pair<QString, const Index*>> m_models;
    qint64 m_indexesStart = 0;
    double m_generationNsecs = 0;
    double m_commitNsecs = 0;
    Stages m_warm;
    qint64 m_warmAt = 0;
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    std::vector<double> m_batchMs;
    std::vector<double> m_lateMs;
    std::vector<double> m_queued;
    qint64 m_changes = 0;
    qint64 m_rssStart = 0;
    qint64 m_rowsStart = 0;
};
