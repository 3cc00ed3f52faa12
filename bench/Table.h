#pragma once

#include "Measure.h"

#include <QString>
#include <QVector>

// The benchmark's one printed table: each operation's median and 99th
// percentile beside its floor, and the ratio of the medians.
class Table
{
public:
    void add(const QString &operation, const Measure::Summary &summary, const QString &floorName,
             const Measure::Summary &floor, double target = 0);
    void note(const QString &line);
    void print() const;

private:
    struct Row {
        QString operation;
        Measure::Summary summary;
        QString floorName;
        Measure::Summary floor;
        double target;
    };
    QVector<Row> rows_;
    QStringList notes_;
};
