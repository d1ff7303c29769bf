#pragma once

#include "sim/bv_sim_export.h"
#include "sim/feedbatch.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class FeedGenerator;

// Runs a generator on a thread of its own: one batch every interval, at the asked number of changes a second,
// handed over through a queue of at most Capacity batches. When the queue is full the thread waits, and the time
// lost is not made up afterwards: a slow taker slows the feed instead of growing the queue. Batch sizes follow
// from the rate and the interval alone, so the same seed and settings make the same batches as stepping does.
//
// Everything shared (the queue, the writes of others, the settings) lives under one mutex; the generator belongs to
// whichever thread holds the turn (the worker while it makes a batch, a caller of generateNow() otherwise). Plain
// std::thread and a condition variable: the taker polls, so no Qt event crosses the threads.
class BV_SIM_EXPORT FeedWorker
{
public:
    static constexpr int Capacity = 4;

    explicit FeedWorker(std::unique_ptr<FeedGenerator> generator);
    // Stops the thread; what is queued is dropped.
    ~FeedWorker();

    // Makes batches on the thread at this pace until pause(); changing the pace keeps the thread's place.
    void run(int changesPerSecond, int intervalMs);
    // Returns once no batch is being made; none starts until run().
    void pause();
    // The oldest batch made; false when none waits.
    bool take(FeedBatch& batch);
    int queued() const;
    // Changes others made in the tables the generator copied, and the session new orders belong to: the generator
    // takes them before its next batch.
    void forward(FeedBatch writes);
    void setSession(int session);
    // One batch made now on the calling thread, after what waits to be forwarded; waits for a batch the thread is
    // making.
    FeedBatch generateNow(int changes);
    // Processor time the thread used so far.
    qint64 cpuNsecs() const;

private:
    using Clock = std::chrono::steady_clock;
    void loop();
    // Takes the turn (the lock held): waits until no batch is being made, then hands the forwarded writes over.
    void takeTurn(std::unique_lock<std::mutex>& lock);
    void catchUp();
    // One batch: takes the turn (the lock held on entry and on return), makes the batch outside the lock and
    // gives the turn back.
    FeedBatch generateInTurn(std::unique_lock<std::mutex>& lock, int changes);

    std::unique_ptr<FeedGenerator> m_generator; // owned; used only by whoever has the turn
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<FeedBatch> m_queue;
    std::vector<FeedBatch> m_forwarded;
    int m_session = -1; // -1: unchanged
    // Taken out under the lock by whoever takes the turn, applied outside it.
    std::vector<FeedBatch> m_turnWrites;
    int m_turnSession = -1;
    bool m_busy = false;
    bool m_running = false;
    bool m_quit = false;
    int m_rate = 0;
    int m_intervalMs = 50;
    double m_carry = 0; // changes owed from earlier intervals
    Clock::time_point m_due;
    std::thread m_thread;
};
