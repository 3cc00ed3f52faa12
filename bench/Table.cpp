#include "Table.h"

#include <cstdio>

void Table::add(const QString &operation, const Measure::Summary &summary, const QString &floorName,
                const Measure::Summary &floor, double target)
{
    rows_.append({operation, summary, floorName, floor, target});
}

void Table::note(const QString &line) { notes_.append(line); }

void Table::print() const
{
    std::printf("%-36s %11s %11s  %-28s %11s %8s %8s\n", "operation", "median us", "p99 us",
                "floor", "floor med", "ratio", "target");
    for (const Row &r : rows_) {
        const double ratio = r.floor.median > 0 ? r.summary.median / r.floor.median : 0;
        const QString target = r.target > 0 ? QStringLiteral("%1 %2")
                                                  .arg(r.target, 0, 'g', 3)
                                                  .arg(ratio <= r.target ? QStringLiteral("ok")
                                                                         : QStringLiteral("MISS"))
                                            : QStringLiteral("-");
        std::printf("%-36s %11.1f %11.1f  %-28s %11.1f %8.2f %8s\n", qPrintable(r.operation),
                    r.summary.median, r.summary.p99, qPrintable(r.floorName), r.floor.median, ratio,
                    qPrintable(target));
    }
    for (const QString &line : notes_)
        std::printf("%s\n", qPrintable(line));
}
