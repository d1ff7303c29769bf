#pragma once

#include <QtConcurrent/QtConcurrentMap>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#define BV_TSAN_ACQUIRE(addr) __tsan_acquire(addr)
#define BV_TSAN_RELEASE(addr) __tsan_release(addr)
#else
#define BV_TSAN_ACQUIRE(addr) ((void)(addr))
#define BV_TSAN_RELEASE(addr) ((void)(addr))
#endif

// QtConcurrent::blockingMap on Qt's global pool, telling ThreadSanitizer what Qt's own locks guarantee but it
// cannot see (Qt is not built with it): the items see everything the caller wrote before, and the caller sees
// everything the items wrote once the call returns.
namespace ParallelMap {

template<typename Sequence, typename Function>
void blockingMap(Sequence& items, Function function)
{
    static char handOver; // only its address serves, as the synchronisation object
    BV_TSAN_RELEASE(&handOver);
    QtConcurrent::blockingMap(items, [&function](auto& item) {
        BV_TSAN_ACQUIRE(&handOver);
        function(item);
        BV_TSAN_RELEASE(&handOver);
    });
    BV_TSAN_ACQUIRE(&handOver);
}

} // namespace ParallelMap
