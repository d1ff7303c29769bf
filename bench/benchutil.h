#pragma once

#include <QString>

#include <functional>
#include <vector>

// Helpers shared by the benchmark executables: timing, medians, memory readings and the BENCH/RATIO lines.
namespace Bench {

// Milliseconds one call of `work` takes.
double timeMs(const std::function<void()>& work);
// Median of `runs` timings; `prepare` runs untimed before each.
double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work);
double median(std::vector<double> values);

// Resident set size now, and its peak so far, in bytes (Linux /proc).
qint64 currentRss();
qint64 peakRss();

void header(const QString& text);
void result(const QString& name, double value, const QString& unit);
void ratio(const QString& name, double value);

} // namespace Bench
