#include "models/parallelmap.h"

#include <QException>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

std::atomic<int> configuredThreads { 0 };

// One call's items. Threads claim them by the atomic cursor; `helpers` and `error` change under the pool's mutex.
// The job lives on its caller's stack: the caller takes it out of the queue and waits until no helper holds it
// before it leaves, whether the items ended or threw.
struct Job
{
    Job(const std::function<void(int)>& t, int c, int h)
        : task(t)
        , count(c)
        , maxHelpers(h)
    { }

    const std::function<void(int)>& task;
    const int count;
    const int maxHelpers;
    std::atomic<int> next { 0 };
    int helpers = 0;
    std::unique_ptr<QException> error; // the first one thrown
    std::condition_variable left;

    bool wantsHelp() const { return helpers < maxHelpers && next.load() < count; }
};

class WorkerPool
{
public:
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

    void run(int count, const std::function<void(int)>& task)
    {
        if (count <= 0)
            return;
        Job job(task, count, std::min(ParallelMap::workerCount(), count - 1));
        if (job.maxHelpers > 0) {
            std::lock_guard<std::mutex> lock(m_mutex);
            while (int(m_threads.size()) < job.maxHelpers)
                m_threads.emplace_back([this] { work(); });
            m_jobs.push_back(&job);
        }
        if (job.maxHelpers > 0)
            m_wake.notify_all();
        drain(job);
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            const auto it = std::find(m_jobs.begin(), m_jobs.end(), &job);
            if (it != m_jobs.end())
                m_jobs.erase(it);
            job.left.wait(lock, [&job] { return job.helpers == 0; });
        }
        if (job.error)
            job.error->raise();
    }

private:
    void work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            Job* job = nullptr;
            m_wake.wait(lock, [this, &job] {
                job = claimable();
                return m_stop || job;
            });
            if (m_stop)
                return;
            ++job->helpers;
            lock.unlock();
            drain(*job);
            lock.lock();
            if (--job->helpers == 0)
                job->left.notify_one(); // under the lock: the caller cannot leave before this returns
        }
    }

    Job* claimable() const
    {
        for (Job* job : m_jobs) {
            if (job->wantsHelp())
                return job;
        }
        return nullptr;
    }

    // Runs items until none is left, or until one threw; then no more start.
    void drain(Job& job)
    {
        try {
            for (int i = job.next.fetch_add(1); i < job.count; i = job.next.fetch_add(1))
                job.task(i);
        } catch (const QException& e) {
            fail(job, e.clone());
        } catch (...) {
            fail(job, new QUnhandledException);
        }
    }

    void fail(Job& job, QException* error)
    {
        job.next.store(job.count);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!job.error)
            job.error.reset(error);
        else
            delete error;
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job*> m_jobs; // calls that may still want helpers, oldest first
    std::vector<std::thread> m_threads; // as many as the largest call has wanted
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

void ParallelMap::setThreadCount(int threads)
{
    configuredThreads.store(std::max(threads, 0));
}

int ParallelMap::threadCount()
{
    const int configured = configuredThreads.load();
    return std::max(1, configured > 0 ? configured : QThreadPool::globalInstance()->maxThreadCount());
}

int ParallelMap::workerCount()
{
    return threadCount() - 1;
}
