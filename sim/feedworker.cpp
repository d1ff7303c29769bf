#include "sim/feedworker.h"

#include "sim/feedgenerator.h"

#include <pthread.h>
#include <time.h>

FeedWorker::FeedWorker(std::unique_ptr<FeedGenerator> generator)
    : m_generator(std::move(generator))
{
    m_thread = std::thread([this] { loop(); });
}

FeedWorker::~FeedWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void FeedWorker::run(int changesPerSecond, int intervalMs)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_running) {
            m_carry = 0;
            m_due = Clock::now() + std::chrono::milliseconds(intervalMs);
        }
        m_running = true;
        m_rate = changesPerSecond;
        m_intervalMs = qMax(1, intervalMs);
    }
    m_wake.notify_all();
}

void FeedWorker::pause()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_running = false;
    m_wake.wait(lock, [this] { return !m_busy; });
    m_wake.notify_all();
}

bool FeedWorker::take(FeedBatch& batch)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.empty())
            return false;
        batch = std::move(m_queue.front());
        m_queue.pop_front();
    }
    m_wake.notify_all();
    return true;
}

int FeedWorker::queued() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_queue.size());
}

void FeedWorker::forward(FeedBatch writes)
{
    if (writes.isEmpty())
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_forwarded.push_back(std::move(writes));
}

void FeedWorker::setSession(int session)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_session = session;
}

void FeedWorker::takeTurn(std::unique_lock<std::mutex>& lock)
{
    m_wake.wait(lock, [this] { return !m_busy; });
    m_busy = true;
    m_turnWrites.swap(m_forwarded);
    m_forwarded.clear();
    m_turnSession = m_session;
    m_session = -1;
}

void FeedWorker::catchUp()
{
    for (const FeedBatch& writes : m_turnWrites)
        m_generator->follow(writes);
    m_turnWrites.clear();
    if (m_turnSession >= 0)
        m_generator->setSession(m_turnSession);
}

FeedBatch FeedWorker::generateInTurn(std::unique_lock<std::mutex>& lock, int changes)
{
    takeTurn(lock);
    lock.unlock();
    catchUp();
    FeedBatch batch = m_generator->generate(changes);
    lock.lock();
    m_busy = false;
    return batch;
}

FeedBatch FeedWorker::generateNow(int changes)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    FeedBatch batch = generateInTurn(lock, changes);
    lock.unlock();
    m_wake.notify_all();
    return batch;
}

void FeedWorker::loop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || (m_running && !m_busy && int(m_queue.size()) < Capacity); });
        if (m_quit)
            return;
        const Clock::time_point now = Clock::now();
        if (now < m_due) {
            m_wake.wait_until(lock, m_due, [this] { return m_quit || !m_running; });
            continue;
        }
        // Past its time (the queue was full, or a batch took long): the next one counts from now.
        m_due
            = std::max(m_due, now - std::chrono::milliseconds(m_intervalMs)) + std::chrono::milliseconds(m_intervalMs);
        m_carry += double(m_rate) * m_intervalMs / 1000.0;
        const int changes = int(m_carry);
        m_carry -= changes;
        if (changes <= 0)
            continue;
        m_queue.push_back(generateInTurn(lock, changes));
        m_wake.notify_all();
    }
}

qint64 FeedWorker::cpuNsecs() const
{
    clockid_t clock;
    timespec spent {};
    if (pthread_getcpuclockid(const_cast<std::thread&>(m_thread).native_handle(), &clock) != 0
        || clock_gettime(clock, &spent) != 0)
        return 0;
    return qint64(spent.tv_sec) * 1000000000 + spent.tv_nsec;
}
