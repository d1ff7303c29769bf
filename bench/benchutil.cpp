#include "benchutil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace Bench {

double timeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        times.push_back(timeMs(work));
    }
    return median(times);
}

static qint64 statusKb(const char* field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix(field);
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

qint64 currentRss()
{
    return statusKb("VmRSS:") * 1024;
}

qint64 peakRss()
{
    return statusKb("VmHWM:") * 1024;
}

void header(const QString& text)
{
    std::printf("# %s (cores: %d)\n", qPrintable(text), QThread::idealThreadCount());
    std::fflush(stdout);
}

void result(const QString& name, double value, const QString& unit)
{
    std::printf("BENCH %s %.6g %s\n", qPrintable(name), value, qPrintable(unit));
    std::fflush(stdout);
}

void ratio(const QString& name, double value)
{
    std::printf("RATIO %s %.3g\n", qPrintable(name), value);
    std::fflush(stdout);
}

} // namespace Bench
