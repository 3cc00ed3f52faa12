#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class RealDesktop;

// The built editor run as a separate process from a fresh program folder: a
// copy of the build's program folder (the executable and its documents), less
// the files a scenario leaves out, in a folder whose name has an accent and a
// space as French users' folders do. The editor is ended, if still running,
// when the run goes.
class EditorRun
{
public:
    explicit EditorRun(const QStringList &leaveOut = {});
    ~EditorRun();
    EditorRun(const EditorRun &) = delete;
    EditorRun &operator=(const EditorRun &) = delete;

    // Empty when the folder is ready, else what went wrong.
    const QString &problem() const { return problem_; }

    // A variable of the editor's environment beyond the desktop's, for the
    // next start.
    void setEnvironment(const QString &name, const QString &value);
    // The editor starts in its program folder unless told another folder,
    // where the open dialog then starts.
    void setWorkingDirectory(const QString &folder) { workingDirectory_ = folder; }
    // The editor's command line after its name, empty unless told.
    void setArguments(const QStringList &arguments) { arguments_ = arguments; }
    bool start(const RealDesktop &desktop);
    // Starts one more editor from the same program folder in the process.
    void startAnother(QProcess &process, const RealDesktop &desktop) const;
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the editor to end by itself.
    bool waitForExit(int timeoutMs);
    int exitCode() const { return process_.exitCode(); }
    // What the editor wrote on its outputs, for a failure report.
    QString output();

    const QString &folder() const { return folder_; }
    QString file(const QString &name) const;
    bool exists(const QString &name) const;
    // The names of the folder's files, sorted.
    QStringList fileNames() const;
    // A file's bytes, empty when it cannot be read.
    QByteArray contents(const QString &name) const;
    // A picture file of the folder, or a null image while it cannot be read.
    QImage image(const QString &name) const;

    // The build's program folder, handed in by the test's environment.
    static QString programDir();

private:
    QTemporaryDir root_;
    QString folder_;
    QString workingDirectory_;
    QStringList arguments_;
    QProcess process_;
    QProcessEnvironment extraEnvironment_;
    QString problem_;
    QString output_;
};
