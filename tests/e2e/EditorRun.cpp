#include "EditorRun.h"

#include "RealDesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString ExecutableName = QStringLiteral("vantorel-editor");

} // namespace

QString EditorRun::programDir() { return qEnvironmentVariable("VANTOREL_PROGRAM_DIR"); }

EditorRun::EditorRun(const QStringList &leaveOut)
{
    const QDir source(programDir());
    if (programDir().isEmpty() || !source.exists(ExecutableName)) {
        problem_
            = QStringLiteral("no built editor in VANTOREL_PROGRAM_DIR \"%1\"").arg(programDir());
        return;
    }
    folder_ = root_.filePath(QStringLiteral("Éditeur de plans"));
    if (!root_.isValid() || !QDir().mkpath(folder_)) {
        problem_ = QStringLiteral("no temporary program folder");
        return;
    }
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files)) {
        if (leaveOut.contains(entry.fileName()))
            continue;
        const QString target = file(entry.fileName());
        if (!QFile::copy(entry.filePath(), target)) {
            problem_ = QStringLiteral("cannot copy %1").arg(entry.fileName());
            return;
        }
        QFile::setPermissions(target, entry.permissions());
    }
}

EditorRun::~EditorRun()
{
    if (running()) {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(5000);
    }
}

void EditorRun::setEnvironment(const QString &name, const QString &value)
{
    extraEnvironment_.insert(name, value);
}

bool EditorRun::start(const RealDesktop &desktop)
{
    if (!problem_.isEmpty())
        return false;
    startAnother(process_, desktop);
    if (!process_.waitForStarted(RealDesktop::DefaultTimeout)) {
        problem_ = QStringLiteral("the editor did not start: ") + process_.errorString();
        return false;
    }
    return true;
}

void EditorRun::startAnother(QProcess &process, const RealDesktop &desktop) const
{
    QProcessEnvironment environment = desktop.environment();
    environment.insert(extraEnvironment_);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory_.isEmpty() ? folder_ : workingDirectory_);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(file(ExecutableName), arguments_);
}

bool EditorRun::waitForExit(int timeoutMs) { return process_.waitForFinished(timeoutMs); }

QString EditorRun::output()
{
    output_ += QString::fromLocal8Bit(process_.readAll());
    return output_;
}

QString EditorRun::file(const QString &name) const { return folder_ + QLatin1Char('/') + name; }

bool EditorRun::exists(const QString &name) const { return QFileInfo(file(name)).isFile(); }

QStringList EditorRun::fileNames() const
{
    return QDir(folder_).entryList(QDir::Files, QDir::Name);
}

QByteArray EditorRun::contents(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage EditorRun::image(const QString &name) const
{
    const QImage picture(file(name));
    return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
}
