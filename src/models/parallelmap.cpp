#include "models/parallelmap.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// One call's items. Workers claim them by the atomic cursor; `finished` and `helpers` change under the pool's
// mutex, and the caller leaves only when every item has run and no worker still holds the job.
struct Job
{
    Job(const std::function<void(int)>& t, int c)
        : task(t)
        , count(c)
    { }

    const std::function<void(int)>& task;
    const int count;
    std::atomic<int> next { 0 };
    int finished = 0;
    int helpers = 0;
    std::condition_variable done;

    int drain()
    {
        int ran = 0;
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1), ++ran)
            task(i);
        return ran;
    }
    bool exhausted() const { return next.load() >= count; }
};

class WorkerPool
{
public:
    WorkerPool()
    {
        const int workers = std::max(0, QThread::idealThreadCount() - 1);
        for (int k = 0; k < workers; ++k)
            m_threads.emplace_back([this] { work(); });
    }

    ~WorkerPool()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads)
            t.join();
    }

    int workerCount() const { return int(m_threads.size()); }

    void run(int count, const std::function<void(int)>& task)
    {
        if (count <= 0)
            return;
        if (count == 1 || m_threads.empty()) {
            for (int i = 0; i < count; ++i)
                task(i);
            return;
        }
        Job job(task, count);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_jobs.push_back(&job);
        }
        m_wake.notify_all();
        const int ran = job.drain();
        std::unique_lock<std::mutex> lock(m_mutex);
        forget(&job);
        job.finished += ran;
        job.done.wait(lock, [&job] { return job.finished == job.count && job.helpers == 0; });
    }

private:
    void work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_stop)
                return;
            Job* job = m_jobs.front();
            if (job->exhausted()) {
                forget(job);
                continue;
            }
            ++job->helpers;
            lock.unlock();
            const int ran = job->drain();
            lock.lock();
            job->finished += ran;
            --job->helpers;
            forget(job);
            if (job->finished == job->count && job->helpers == 0)
                job->done.notify_one(); // under the lock: the caller cannot leave before this returns
        }
    }

    void forget(Job* job)
    {
        const auto it = std::find(m_jobs.begin(), m_jobs.end(), job);
        if (it != m_jobs.end())
            m_jobs.erase(it);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job*> m_jobs; // calls with items left to claim, oldest first
    std::vector<std::thread> m_threads;
    bool m_stop = false;
};

WorkerPool& pool()
{
    static WorkerPool instance;
    return instance;
}

} // namespace

void ParallelMap::forEachIndex(int count, const std::function<void(int)>& task)
{
    pool().run(count, task);
}

int ParallelMap::workerCount()
{
    return pool().workerCount();
}
