#include "ProgramFolderFixture.h"
#include "RealDesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include <unistd.h>

// The install as a user makes it: `cmake --install` into a prefix whose name
// has an accent, a space and a quote, then the installed editor started
// through its links on a real X server, and the desktop files checked by the
// freedesktop tools.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void laysOutTheProgramFolderAndLinks();
    void installsTheIconAtEverySize_data();
    void installsTheIconAtEverySize();
    void desktopEntryPassesValidationAndStartsTheLink();
    void metainfoPassesValidation();
    void startsThroughLinksInItsProgramFolder_data();
    void startsThroughLinksInItsProgramFolder();
    void unwritableProgramFolderStopsBeforeTheWindow();
    void reinstallKeepsTheProjects();
    void relativePrefixGaveTheDesktopEntryARelativeCommand();

private:
    QString programFolder() const { return prefix_ + QStringLiteral("/lib/vantorel-editor"); }
    QString binLink() const { return prefix_ + QStringLiteral("/bin/vantorel-editor"); }
    QString desktopEntry() const
    {
        return prefix_ + QStringLiteral("/share/applications/org.example.VantorelEditor.desktop");
    }
    // Installs the build into the prefix, which counts from the working
    // folder when it is relative.
    bool install(const QString &prefix, QString *output, const QString &workingFolder = {});
    QProcessEnvironment editorEnvironment() const;

    QTemporaryDir root_;
    QString prefix_;
    RealDesktop desktop_;
};

namespace {

constexpr int Timeout = RealDesktop::DefaultTimeout;
const QString AppId = QStringLiteral("org.example.VantorelEditor");
const QString CaptionPrefix = QStringLiteral("Vantorel Editor - Fichier actif :");

struct Outcome {
    bool finished = false;
    int code = -1;
    QString output; // standard output
    QString errors; // standard error
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
            int timeoutMs = 120000, const QString &workingFolder = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    Outcome outcome;
    outcome.finished = process.waitForStarted(Timeout) && process.waitForFinished(timeoutMs);
    if (!outcome.finished)
        process.kill();
    process.waitForFinished(Timeout);
    outcome.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.output = QString::fromUtf8(process.readAllStandardOutput());
    outcome.errors = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

QByteArray contents(const QString &path) { return ProgramFolderFixture::readFile(path); }

// A file of the repository's assets folder.
QByteArray asset(const QString &relative)
{
    return contents(ProgramFolderFixture::sourceAsset(QStringLiteral("assets/") + relative));
}

// The value of a key of the [Desktop Entry] group.
QString entryValue(const QString &path, const QString &key)
{
    const QStringList lines = QString::fromUtf8(contents(path)).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    return {};
}

// The program an Exec value starts, its quoting and escapes undone.
QString execProgram(const QString &exec)
{
    QString unescaped; // the string escapes of a desktop entry value
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size())
            ++i;
        unescaped += exec[i];
    }
    if (!unescaped.startsWith(QLatin1Char('"')))
        return unescaped.section(QLatin1Char(' '), 0, 0)
            .replace(QStringLiteral("%%"), QStringLiteral("%"));
    QString program; // the quoting rules of the Exec key
    for (qsizetype i = 1; i < unescaped.size() && unescaped[i] != QLatin1Char('"'); ++i) {
        if (unescaped[i] == QLatin1Char('\\') && i + 1 < unescaped.size())
            ++i;
        program += unescaped[i];
    }
    return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// Everyone may read and enter the folder; its owner may write in it or not.
void setOwnerWrites(const QString &path, bool writes)
{
    QFile::Permissions modes = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                               | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    if (writes)
        modes |= QFile::WriteOwner;
    QFile::setPermissions(path, modes);
}

} // namespace

bool TestInstall::install(const QString &prefix, QString *output, const QString &workingFolder)
{
    const Outcome outcome = run(QStringLiteral(VANTOREL_CMAKE_COMMAND),
                                {QStringLiteral("--install"), QStringLiteral(VANTOREL_BUILD_DIR),
                                 QStringLiteral("--prefix"), prefix},
                                QProcessEnvironment::systemEnvironment(), 120000, workingFolder);
    *output = outcome.output + outcome.errors;
    return outcome.finished && outcome.code == 0;
}

void TestInstall::initTestCase()
{
    for (const char *tool : {"desktop-file-validate", "appstreamcli"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is missing: install desktop-file-utils and "
                                            "appstream (scripts/test does)")
                                 .arg(QString::fromLatin1(tool))));
    QVERIFY(root_.isValid());
    // Another user must be able to reach the install (see the unwritable case).
    setOwnerWrites(root_.path(), true);
    prefix_ = QFileInfo(root_.path()).canonicalFilePath() + QStringLiteral("/Préfixe d'essai");
    QString output;
    QVERIFY2(install(prefix_, &output), qPrintable(output));

    QString error;
    QVERIFY2(desktop_.start(&error), qPrintable(error));
}

QProcessEnvironment TestInstall::editorEnvironment() const
{
    QProcessEnvironment env = desktop_.environment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return env;
}

void TestInstall::laysOutTheProgramFolderAndLinks()
{
    const QFileInfo executable(programFolder() + QStringLiteral("/vantorel-editor"));
    QVERIFY(executable.isFile());
    QVERIFY(executable.isExecutable());
    for (const QString &document : {QStringLiteral("vantorel.vtr"), QStringLiteral("readme.doc")})
        QCOMPARE(contents(programFolder() + QLatin1Char('/') + document),
                 asset(QStringLiteral("docs/") + document));

    // A relative link, so that the prefix can be moved as a whole.
    const QFileInfo link(binLink());
    QVERIFY(link.isSymLink());
    QCOMPARE(
        QString::fromStdString(std::filesystem::read_symlink(binLink().toStdString()).string()),
        QStringLiteral("../lib/vantorel-editor/vantorel-editor"));
    QCOMPARE(link.canonicalFilePath(), executable.canonicalFilePath());
}

void TestInstall::installsTheIconAtEverySize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestInstall::installsTheIconAtEverySize()
{
    QFETCH(int, size);
    const QString path = prefix_ + QStringLiteral("/share/icons/hicolor/%1x%1/apps/").arg(size)
                         + AppId + QStringLiteral(".png");
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(contents(path), asset(QStringLiteral("ui/icon-%1.png").arg(size)));
}

void TestInstall::desktopEntryPassesValidationAndStartsTheLink()
{
    const Outcome check = run(QStringLiteral("desktop-file-validate"), {desktopEntry()});
    QVERIFY2(check.finished && check.code == 0, qPrintable(check.output + check.errors));
    QVERIFY2(!(check.output + check.errors).contains(QStringLiteral("error"), Qt::CaseInsensitive),
             qPrintable(check.output + check.errors));

    QCOMPARE(entryValue(desktopEntry(), QStringLiteral("Icon")), AppId);
    QVERIFY(entryValue(desktopEntry(), QStringLiteral("Categories"))
                .split(QLatin1Char(';'))
                .contains(QStringLiteral("Graphics")));
    QVERIFY(!entryValue(desktopEntry(), QStringLiteral("Comment")).isEmpty());
    QVERIFY(!entryValue(desktopEntry(), QStringLiteral("Comment[fr]")).isEmpty());
    // The prefix needs quoting: the entry must still name the link exactly.
    const QString exec = entryValue(desktopEntry(), QStringLiteral("Exec"));
    QVERIFY2(exec.startsWith(QLatin1Char('"')), qPrintable(exec));
    QCOMPARE(execProgram(exec), binLink());
    // A file manager offers the editor for bitmaps, one file to an editor.
    QVERIFY2(exec.endsWith(QStringLiteral("\" %f")), qPrintable(exec));
    QCOMPARE(entryValue(desktopEntry(), QStringLiteral("MimeType")), QStringLiteral("image/bmp;"));
}

void TestInstall::metainfoPassesValidation()
{
    const Outcome check = run(
        QStringLiteral("appstreamcli"),
        {QStringLiteral("validate"), QStringLiteral("--no-net"),
         prefix_ + QStringLiteral("/share/metainfo/") + AppId + QStringLiteral(".metainfo.xml")});
    QVERIFY2(check.finished && check.code == 0, qPrintable(check.output + check.errors));
}

void TestInstall::startsThroughLinksInItsProgramFolder_data()
{
    QTest::addColumn<QString>("start");
    QTest::newRow("the link in bin") << binLink();
    QTest::newRow("the desktop entry's command") << QString();
    QTest::newRow("a link of the user's to the link")
        << root_.filePath(QStringLiteral("Bureau/Éditeur de plans"));
}

void TestInstall::startsThroughLinksInItsProgramFolder()
{
    QFETCH(QString, start);
    if (start.isEmpty())
        start = execProgram(entryValue(desktopEntry(), QStringLiteral("Exec")));
    if (!QFileInfo::exists(start)) {
        QVERIFY(QDir().mkpath(QFileInfo(start).path()));
        QVERIFY(QFile::link(binLink(), start));
    }
    const QString startDocument = programFolder() + QStringLiteral("/new.doc");
    QFile::remove(startDocument);

    QProcess editor;
    editor.setProcessEnvironment(editorEnvironment());
    editor.setProcessChannelMode(QProcess::MergedChannels);
    editor.setWorkingDirectory(root_.path());
    editor.start(start, {});
    QVERIFY2(editor.waitForStarted(Timeout), qPrintable(editor.errorString()));
    const QString window
        = desktop_.waitForWindow(editor.processId(), QStringLiteral("Fichier actif"));
    const QString caption = window.isEmpty() ? QString() : desktop_.title(window);
    editor.terminate();
    if (!editor.waitForFinished(Timeout))
        editor.kill();
    QVERIFY2(!window.isEmpty(), qPrintable(QStringLiteral("no main window; the editor said:\n")
                                           + QString::fromUtf8(editor.readAll())));

    // Its program folder is the install's, not the folder of the link.
    QCOMPARE(caption, CaptionPrefix
                          + QDir::toNativeSeparators(programFolder() + QStringLiteral("/New.bmp")));
    QCOMPARE(contents(startDocument), asset(QStringLiteral("docs/vantorel.vtr")));
    QVERIFY(!QFileInfo::exists(QFileInfo(start).path() + QStringLiteral("/new.doc")));
    QVERIFY(!QFileInfo::exists(root_.filePath(QStringLiteral("new.doc"))));
}

void TestInstall::unwritableProgramFolderStopsBeforeTheWindow()
{
    const QString startDocument = programFolder() + QStringLiteral("/new.doc");
    QFile::remove(startDocument);
    const QStringList before = QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden);

    // As the superuser, file modes stop no write: the editor runs as nobody,
    // for whom the install, owned by root, is read-only.
    QString program = binLink();
    QStringList arguments;
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        arguments = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                     QStringLiteral("--clear-groups"), QStringLiteral("--"), program};
        program = QStringLiteral("setpriv");
    } else {
        setOwnerWrites(programFolder(), false);
    }

    QProcess editor;
    QProcessEnvironment env = editorEnvironment();
    if (asRoot)
        env.insert(QStringLiteral("HOME"), root_.path());
    editor.setProcessEnvironment(env);
    editor.setProcessChannelMode(QProcess::MergedChannels);
    editor.setWorkingDirectory(root_.path());
    editor.start(program, arguments);
    QVERIFY2(editor.waitForStarted(Timeout), qPrintable(editor.errorString()));

    // The message of the start-up check, not the later one of the template copy.
    const QString box = desktop_.waitForWindow(editor.processId(),
                                               QStringLiteral("^Installation de Vantorel Editor$"));
    const QStringList mainWindows
        = desktop_.windows(editor.processId(), QStringLiteral("Fichier actif"));
    if (!box.isEmpty())
        desktop_.key(box, QStringLiteral("Return"));
    const bool ended = editor.waitForFinished(Timeout);
    if (!ended) {
        editor.kill();
        editor.waitForFinished(Timeout);
    }
    if (!asRoot)
        setOwnerWrites(programFolder(), true);
    const QString output = QString::fromUtf8(editor.readAll());

    QVERIFY2(!box.isEmpty(),
             qPrintable(QStringLiteral("no message box; the editor said:\n") + output));
    QVERIFY(mainWindows.isEmpty());
    QVERIFY2(ended, "the editor went on after the message");
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 1);
    QVERIFY(!QFileInfo::exists(startDocument));
    QCOMPARE(QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestInstall::reinstallKeepsTheProjects()
{
    // An update installs over the program folder, where the user's maps are.
    const QString map = programFolder() + QStringLiteral("/Château.bmp");
    QFile file(map);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM a map of the user's");
    file.close();

    QString output;
    QVERIFY2(install(prefix_, &output), qPrintable(output));
    QCOMPARE(contents(map), QByteArray("BM a map of the user's"));
    QVERIFY(QFileInfo(binLink()).isSymLink());
    QCOMPARE(QFileInfo(binLink()).canonicalFilePath(),
             QFileInfo(programFolder() + QStringLiteral("/vantorel-editor")).canonicalFilePath());
}

void TestInstall::relativePrefixGaveTheDesktopEntryARelativeCommand()
{
    const QString folder = root_.filePath(QStringLiteral("ailleurs"));
    QVERIFY(QDir().mkpath(folder));
    QString output;
    QVERIFY2(install(QStringLiteral("relatif"), &output, folder), qPrintable(output));
    const QString entry = folder + QStringLiteral("/relatif/share/applications/") + AppId
                          + QStringLiteral(".desktop");
    QCOMPARE(execProgram(entryValue(entry, QStringLiteral("Exec"))),
             folder + QStringLiteral("/relatif/bin/vantorel-editor"));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
