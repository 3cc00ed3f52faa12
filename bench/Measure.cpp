#include "Measure.h"

#include <QFile>

#include <algorithm>
#include <cmath>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Measure {

Summary summarise(QVector<double> samples)
{
    Summary s;
    if (samples.isEmpty())
        return s;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        const auto i = qsizetype(std::ceil(q * double(samples.size()))) - 1;
        return samples[std::clamp<qsizetype>(i, 0, samples.size() - 1)];
    };
    const qsizetype n = samples.size();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.p99 = at(0.99);
    return s;
}

double microsecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

QVector<double> sample(int count, const std::function<void()> &prepare,
                       const std::function<void()> &op)
{
    QVector<double> samples;
    samples.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (prepare)
            prepare();
        const auto start = std::chrono::steady_clock::now();
        op();
        samples.append(microsecondsSince(start));
    }
    return samples;
}

Pair alternate(int count, const Timed &first, const Timed &second)
{
    Pair pair;
    pair.first.reserve(count);
    pair.second.reserve(count);
    for (int i = 0; i < count; ++i) {
        pair.first += sample(1, first.prepare, first.op);
        pair.second += sample(1, second.prepare, second.op);
    }
    return pair;
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
}

qint64 heapBytes()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#else
    return 0;
#endif
}

qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace Measure
