#pragma once

#include "basic_views_export.h"

#include <functional>

// Parallel work of the models (sorting, batch analysis) on a pool of worker threads of the library's own, built
// on the standard library's threads, mutexes and atomics: ThreadSanitizer sees every hand-over, so a race between
// the items, or between an item and the calling thread, is reported instead of hidden inside an uninstrumented
// Qt pool. Otherwise it behaves as QtConcurrent::blockingMap on Qt's global pool: as many threads as that pool
// allows (unless the host says otherwise), and exceptions handed to the caller.
namespace ParallelMap {

// Runs task(0) .. task(count - 1) on the pool and on the calling thread, and returns when all have run. Whatever
// the caller wrote before is visible to the tasks; whatever the tasks wrote is visible to the caller after. Calls
// may come from several threads at once, and from a task: the caller always works through its own items, so a
// busy pool never makes it wait for work nobody runs.
//
// A task that throws stops the items not yet started; once every started item has ended, the first exception is
// thrown to the caller as QtConcurrent throws it: a QException as itself, anything else as a QUnhandledException.
BASIC_VIEWS_EXPORT void forEachIndex(int count, const std::function<void(int)>& task);

// How many threads one call may use, the calling thread included. 0 (the default) follows Qt's global thread
// pool, read at each call, so a host's QThreadPool::globalInstance()->setMaxThreadCount() applies here too.
BASIC_VIEWS_EXPORT void setThreadCount(int threads);
BASIC_VIEWS_EXPORT int threadCount();

// The worker threads a call may use besides the calling thread.
BASIC_VIEWS_EXPORT int workerCount();

template<typename Sequence, typename Function>
void blockingMap(Sequence& items, Function function)
{
    auto* first = items.data(); // detached once, here: the tasks only index it
    forEachIndex(int(items.size()), [first, &function](int i) { function(first[i]); });
}

} // namespace ParallelMap
