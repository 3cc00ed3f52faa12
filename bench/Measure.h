#pragma once

#include <QString>
#include <QVector>

#include <chrono>
#include <functional>

// Timing and memory readings for the benchmark: samples of one operation,
// their median and 99th percentile, and the process's resident size.
namespace Measure {

struct Summary {
    double median = 0; // microseconds
    double p99 = 0;
};

Summary summarise(QVector<double> samples);

// Runs prepare (untimed) then op (timed) the given number of times.
QVector<double> sample(int count, const std::function<void()> &prepare,
                       const std::function<void()> &op);

// An operation to time, and what must come before each run of it, untimed.
struct Timed {
    std::function<void()> prepare;
    std::function<void()> op;
};

// Samples of two operations taken in turn, count of each, so that a change
// in the load the rest of the machine puts on it meets both alike.
struct Pair {
    QVector<double> first;
    QVector<double> second;
};
Pair alternate(int count, const Timed &first, const Timed &second);

double microsecondsSince(std::chrono::steady_clock::time_point start);

// Resident set size of this process in bytes.
qint64 residentBytes();

// Bytes the process has allocated and not freed, whatever of them the heap
// had free before; 0 where the C library does not tell.
qint64 heapBytes();

// The highest resident set size since the last resetPeak(), in bytes; 0 where
// the system does not tell.
qint64 peakResidentBytes();
void resetPeak();

} // namespace Measure
