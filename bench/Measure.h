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

double microsecondsSince(std::chrono::steady_clock::time_point start);

// Resident set size of this process in bytes.
qint64 residentBytes();

} // namespace Measure
