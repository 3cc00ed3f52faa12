#include "EditorHarness.h"
#include "TestPictures.h"
#include "app/CommandLine.h"
#include "app/EditorApplication.h"
#include "app/ProgramFolderLock.h"
#include "document/OpenCommand.h"
#include "project/ProjectFiles.h"
#include "ui/Form1.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <unistd.h>

namespace {

const QString StartCaptionEnd = QStringLiteral("/New.bmp");

enum class Given { Elsewhere, InProgramFolder, Relative, Missing, NoPicture };

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EditorApplication::configure(); }
    void setsStartValuesAndCaption();
    void copiesTemplateFreshAtEveryStart();
    void missingTemplateStopsWithMessage();
    void zeroMembersBehaveAsZero();
    void readsTheCommandLine_data();
    void readsTheCommandLine();
    void startsOnTheMapGiven_data();
    void startsOnTheMapGiven();
    void answersOnTheTerminalWithoutTouchingAFile_data();
    void answersOnTheTerminalWithoutTouchingAFile();
    void startsOverALockNoEditorHolds_data();
    void startsOverALockNoEditorHolds();
    void secondEditorOnTheFolderIsRefusedAndTouchesNoFile();
};

void TestStartup::setsStartValuesAndCaption()
{
    EditorHarness h;
    QVERIFY(h.started);
    const EditorState &s = h.state();
    QCOMPARE(s.Mode, EditMode::Placement);
    QCOMPARE(s.CurrentTile, 1);
    QCOMPARE(s.GridStep, 13);
    QCOMPARE(s.PrintWidth, 770.0);
    QCOMPARE(s.PrintHeight, qint16(544));
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
    const QString expected = QStringLiteral("Vantorel Editor - Fichier actif :")
                             + QDir::toNativeSeparators(h.folder.path() + "/New.bmp");
    QCOMPARE(h.editor.caption(), expected);
    QVERIFY(!h.folder.exists("New.bmp")); // the caption only names it
    QVERIFY(!h.folder.exists("demo.bmp"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestStartup::copiesTemplateFreshAtEveryStart()
{
    ProgramFolderFixture folder;
    const QByteArray templ = folder.read("vantorel.vtr");
    QVERIFY(!templ.isEmpty());
    const auto startUp = [&folder] {
        FakePlatform fake;
        return Editor(fake.platform(), folder.path()).startUp();
    };
    QVERIFY(startUp());
    QCOMPARE(folder.read("new.doc"), templ);

    // Text written into the start-up document is gone at the next start.
    folder.write("new.doc", "notes of the previous run");
    QVERIFY(startUp());
    QCOMPARE(folder.read("new.doc"), templ);

    // Whatever its letter case, the one document is replaced; no second one.
    QFile::rename(folder.file("new.doc"), folder.file("NEW.DOC"));
    folder.write("NEW.DOC", "old");
    QVERIFY(startUp());
    QCOMPARE(folder.read("NEW.DOC"), templ);
    QVERIFY(!folder.exists("new.doc"));
}

void TestStartup::missingTemplateStopsWithMessage()
{
    ProgramFolderFixture folder(false);
    FakePlatform fake;
    Editor editor(fake.platform(), folder.path());
    QVERIFY(!editor.startUp());
    QCOMPARE(fake.dialogs.messages.size(), 1);
    const Dialogs::Message &m = fake.dialogs.messages.first();
    QVERIFY(m.text.contains("vantorel.vtr"));
    QVERIFY(m.text.contains("new.doc"));
    QVERIFY(m.text.contains("introuvable"));
    // The folder is named as the user reads it, without a separator after it.
    QVERIFY(m.text.contains("Dossier du programme : " + QDir::toNativeSeparators(folder.path())
                            + "\n"));
    QCOMPARE(m.icon, Dialogs::Icon::Critical);
    QVERIFY(!folder.exists("new.doc"));
}

void TestStartup::zeroMembersBehaveAsZero()
{
    EditorHarness h;
    const EditorState &s = h.state();
    QCOMPARE(s.TileVariants, 0);
    QCOMPARE(s.VariantStep, quint8(0));
    QCOMPARE(s.MarkX, 0);
    QCOMPARE(s.MarkY, 0);
    QCOMPARE(s.SelX1 + s.SelY1 + s.SelX2 + s.SelY2, 0);
    QCOMPARE(h.editor.history().count(), 0);
}

void TestStartup::readsTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("output"); // pieces it holds, in order
    QTest::addColumn<QString>("errors"); // a piece it holds

    const QStringList help = {"Utilisation : ",
                              " [options] [fichier]\n",
                              "\nOptions :\n  -h, --help ",
                              "Affiche cette aide, puis quitte.",
                              "  -v, --version ",
                              "\nArguments :\n  fichier "};
    QTest::newRow("nothing") << QStringList() << true << QString() << 0 << QStringList()
                             << QString();
    QTest::newRow("a map") << QStringList {"Cartes d'été/donjon.bmp"} << true
                           << "Cartes d'été/donjon.bmp" << 0 << QStringList() << QString();
    QTest::newRow("a map whose name looks like an option, after --")
        << QStringList {"--", "-plan.bmp"} << true << "-plan.bmp" << 0 << QStringList()
        << QString();
    QTest::newRow("--help") << QStringList {"--help"} << false << QString() << 0 << help
                            << QString();
    QTest::newRow("-h and a map") << QStringList {"carte.bmp", "-h"} << false << QString() << 0
                                  << help << QString();
    QTest::newRow("--version") << QStringList {"--version"} << false << QString() << 0
                               << QStringList {"Vantorel Editor " VANTOREL_VERSION "\n"}
                               << QString();
    QTest::newRow("an unknown option, even with --help")
        << QStringList {"--help", "--inconnue"} << false << QString() << 1 << QStringList()
        << "Vantorel Editor : Option « inconnue » inconnue.\n"
           "Tapez « vantorel-editor --help » pour l'aide.\n";
    QTest::newRow("a map whose name looks like an option, without --")
        << QStringList {"-plan.bmp"} << false << QString() << 1 << QStringList()
        << "Si « -plan.bmp » est le nom du plan à ouvrir, mettez « -- » devant : "
           "vantorel-editor -- -plan.bmp\n";
    QTest::newRow("a value given to --version")
        << QStringList {"--version=2"} << false << QString() << 1 << QStringList()
        << "Valeur inattendue après « --version »";
    QTest::newRow("two maps") << QStringList {"a.bmp", "b.bmp"} << false << QString() << 1
                              << QStringList()
                              << "Un seul plan s'ouvre à la fois, et 2 fichiers sont donnés.";
    QTest::newRow("an empty name") << QStringList {""} << false << QString() << 1 << QStringList()
                                   << "Le nom du fichier à ouvrir est vide.";
}

void TestStartup::readsTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, starts);
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QStringList, output);
    QFETCH(QString, errors);

    arguments.prepend("/opt/Éditeur/vantorel-editor");
    const CommandLine::Outcome outcome = CommandLine::read(arguments);
    QCOMPARE(outcome.starts, starts);
    QCOMPARE(outcome.file, file);
    QCOMPARE(outcome.status, status);
    qsizetype from = 0;
    for (const QString &piece : output) {
        from = outcome.output.indexOf(piece, from);
        QVERIFY2(from >= 0, qPrintable(piece + " is not in:\n" + outcome.output));
    }
    QCOMPARE(outcome.output.isEmpty(), output.isEmpty());
    QVERIFY2(outcome.errors.contains(errors), qPrintable(outcome.errors));
    QCOMPARE(outcome.errors.isEmpty(), errors.isEmpty());
}

void TestStartup::startsOnTheMapGiven_data()
{
    QTest::addColumn<Given>("given");
    QTest::newRow("a map of another folder") << Given::Elsewhere;
    QTest::newRow("a map of the program folder") << Given::InProgramFolder;
    QTest::newRow("a path from the working folder") << Given::Relative;
    QTest::newRow("a missing file") << Given::Missing;
    QTest::newRow("a file that is no picture") << Given::NoPicture;
}

// The editor as the process starts it, with the real message boxes.
void TestStartup::startsOnTheMapGiven()
{
    QFETCH(Given, given);
    ProgramFolderFixture folder;
    QTemporaryDir root;
    const QString elsewhere = root.filePath("Cartes d'été");
    QVERIFY(QDir().mkpath(elsewhere));
    const QImage map = patternedMap();
    const QString read
        = (given == Given::InProgramFolder ? folder.path() : elsewhere) + "/Donjon.bmp";
    QString argument = read;
    if (given == Given::NoPicture) {
        QFile file(read);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("BM but no picture") > 0);
    } else if (given != Given::Missing) {
        QVERIFY(map.save(read, "BMP"));
    }
    const QString working = QDir::currentPath();
    if (given == Given::Relative) {
        QVERIFY(QDir::setCurrent(root.path()));
        argument = "Cartes d'été/Donjon.bmp";
    }

    QString box;
    const bool fails = given == Given::Missing || given == Given::NoPicture;
    if (fails)
        QTimer::singleShot(0, [&box] {
            if (auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                box = shown->windowTitle() + ": " + shown->text();
                shown->accept();
            }
        });
    EditorApplication application(folder.path());
    const bool started = application.start(argument);
    QDir::setCurrent(working);
    QVERIFY(started);
    Form1 &window = *application.mainWindow();
    QVERIFY(window.isVisible());
    Editor &editor = window.editor();

    if (fails) {
        QCOMPARE(box, "Erreur: " + OpenCommand::LoadFailedText);
        QCOMPARE(window.windowTitle().remove(QStringLiteral("[*]")),
                 Editor::CaptionPrefix + QDir::toNativeSeparators(folder.path() + StartCaptionEnd));
        QCOMPARE(editor.projectName(), ProjectFiles::StartProject);
        return;
    }
    QCOMPARE(window.windowTitle().remove(QStringLiteral("[*]")),
             Editor::CaptionPrefix + QDir::toNativeSeparators(read));
    QCOMPARE(editor.projectName(), QStringLiteral("Donjon"));
    QCOMPARE(editor.projectInProgramFolder(), given == Given::InProgramFolder);
    // Shown at once, under the preview at the board's corner.
    QImage shown = map;
    stampInto(shown, editor.catalogue().picture(1), QPoint(0, 0));
    QCOMPARE(editor.board().displayed().convertToFormat(QImage::Format_RGB32), shown);
}

void TestStartup::answersOnTheTerminalWithoutTouchingAFile_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");
    QTest::newRow("--help") << "--help" << 0 << "Utilisation : " << QString();
    QTest::newRow("--version") << "--version" << 0 << "Vantorel Editor " VANTOREL_VERSION "\n"
                               << QString();
    QTest::newRow("an unknown option")
        << "--inconnue" << 1 << QString() << "Option « inconnue » inconnue.";
}

// The built editor, from a program folder of its own, without a display, as
// in a console over ssh: it aborted there.
void TestStartup::answersOnTheTerminalWithoutTouchingAFile()
{
    QFETCH(QString, argument);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    ProgramFolderFixture folder;
    const QString editor = folder.file("vantorel-editor");
    QVERIFY(QFile::copy(VANTOREL_EDITOR, editor));
    const auto files = folder.snapshot();

    QProcess process;
    QProcessEnvironment console = QProcessEnvironment::systemEnvironment();
    for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        console.remove(QString::fromLatin1(display));
    process.setProcessEnvironment(console);
    process.start(editor, {argument});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    const QString told = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output),
             qPrintable(printed));
    QVERIFY2(told.contains(errors), qPrintable(told));
    QCOMPARE(folder.snapshot(), files);
}

void TestStartup::startsOverALockNoEditorHolds_data()
{
    QTest::addColumn<QByteArray>("lockFile");
    const QByteArray here = "\nVantorel Editor\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QTest::newRow("an empty lock file, as a power cut leaves it") << QByteArray();
    QTest::newRow("a stale lock naming a dead process") << "2147483646" + here;
    QTest::newRow("a lock copied with the folder from a running editor")
        << QByteArray::number(qint64(::getpid())) + here;
}

void TestStartup::startsOverALockNoEditorHolds()
{
    QFETCH(QByteArray, lockFile);
    ProgramFolderFixture folder;
    QFile file(folder.file(ProjectFiles::Lock));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lockFile) == lockFile.size());
    file.close();
    FakePlatform fake;
    Editor editor(fake.platform(), folder.path());
    ProgramFolderLock lock(folder.path());
    QVERIFY(lock.take(editor));
    QVERIFY(fake.dialogs.messages.isEmpty());
}

void TestStartup::secondEditorOnTheFolderIsRefusedAndTouchesNoFile()
{
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor(fake.platform(), folder.path());
    ProgramFolderLock first(folder.path());
    QVERIFY(first.take(editor));
    const auto files = folder.snapshot();

    ProgramFolderLock second(folder.path());
    QVERIFY(!second.take(editor));
    QCOMPARE(folder.snapshot(), files);
    QCOMPARE(fake.dialogs.messages.size(), 1);
    const QString told = fake.dialogs.messages.first().text;
    QVERIFY2(told.startsWith("Vantorel Editor est déjà ouvert sur ce dossier du programme"),
             qPrintable(told));
    QVERIFY2(told.contains(QStringLiteral("(processus %1 sur la machine « %2 »)")
                               .arg(::getpid())
                               .arg(QSysInfo::machineHostName())),
             qPrintable(told));

    // The first editor ends: its lock goes with it, and the next start takes it.
    first.release();
    QVERIFY(!QFileInfo::exists(folder.file(ProjectFiles::Lock)));
    QVERIFY(second.take(editor));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
