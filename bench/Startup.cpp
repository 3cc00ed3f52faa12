#include "Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace Startup {
namespace {

void run(const QString &program, const QString &folder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.start();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("start-up probe %s failed: %s", qPrintable(program),
               process.readAllStandardError().constData());
}

} // namespace

Result measure(int count)
{
    // The probes stand beside the benchmark; the editor's needs a program
    // folder holding the scenario template.
    const QString here = QFileInfo(QString::fromLocal8Bit(qgetenv("VANTOREL_BENCH_DIR"))).isDir()
                             ? QString::fromLocal8Bit(qgetenv("VANTOREL_BENCH_DIR"))
                             : QStringLiteral(VANTOREL_BENCH_DIR);
    QTemporaryDir folder;
    QFile::copy(QStringLiteral(VANTOREL_TEMPLATE), folder.filePath(QStringLiteral("vantorel.vtr")));

    const QString bare = here + QStringLiteral("/vantorel-bare-probe");
    const QString editor = here + QStringLiteral("/vantorel-startup-probe");
    const Measure::Pair samples = Measure::alternate(count, {{}, [&] { run(bare, folder.path()); }},
                                                     {{}, [&] { run(editor, folder.path()); }});
    return {Measure::summarise(samples.first), Measure::summarise(samples.second)};
}

} // namespace Startup
