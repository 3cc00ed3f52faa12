#include "Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace Startup {

Measure::Summary measure(Probe probe, int count)
{
    // The probes stand beside the benchmark; the editor's needs a program
    // folder holding the scenario template.
    const QString here = QFileInfo(QString::fromLocal8Bit(qgetenv("VANTOREL_BENCH_DIR"))).isDir()
                             ? QString::fromLocal8Bit(qgetenv("VANTOREL_BENCH_DIR"))
                             : QStringLiteral(VANTOREL_BENCH_DIR);
    QTemporaryDir folder;
    const QString program = here
                            + (probe == BareProbe ? QStringLiteral("/vantorel-bare-probe")
                                                  : QStringLiteral("/vantorel-startup-probe"));
    QFile::copy(QStringLiteral(VANTOREL_TEMPLATE), folder.filePath(QStringLiteral("vantorel.vtr")));

    QVector<double> samples;
    for (int i = 0; i < count; ++i) {
        QProcess process;
        process.setProgram(program);
        process.setArguments({folder.path()});
        const auto start = std::chrono::steady_clock::now();
        process.start();
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("start-up probe %s failed: %s", qPrintable(program),
                   process.readAllStandardError().constData());
        samples.append(Measure::microsecondsSince(start));
    }
    return Measure::summarise(samples);
}

} // namespace Startup
