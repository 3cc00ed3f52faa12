// Faults made real, as a user meets them: a folder standing where a file must
// be written (even root cannot write it), the program folder taken away while
// the editor runs, a delivered document gone, no word processor or a broken
// one on the path, no printer, a print job whose output cannot be written.
// Each case breaks one thing, runs one command, checks what the user is told
// and that nothing drawn is lost, mends the cause, and checks that editing,
// saving and opening work again.
#include "EditorHarness.h"
#include "NoPrintServer.h"
#include "ProgramFolderFixture.h"
#include "TestPictures.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/HelpCommand.h"
#include "document/MoveTool.h"
#include "document/OpenCommand.h"
#include "document/PrintCommand.h"
#include "document/SaveCommand.h"
#include "document/SelectTool.h"
#include "document/TextEditorCommand.h"
#include "platform/QtPrinter.h"
#include "platform/QtPrograms.h"
#include "project/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum class Fault {
    FolderAtFile, // a folder stands at the file's name
    ProgramFolderGone, // the program folder is moved away
    DocumentGone, // a delivered document is moved away
    NoWordProcessor, // nothing on the path starts a word processor
    BrokenWordProcessor, // the word processor found cannot be started
    NoPrinter, // no print server, so no default printer
};

enum class Command { Stamp, Move, Save, Open, TextEditor, Help, Print };

const QRgb Red = qRgb(220, 20, 20);

// An editor on a real program folder with the real word processor lookup and
// the real printer; its path holds a folder of its own first.
struct Session {
    ProgramFolderFixture folder;
    QTemporaryDir tools;
    QString bin = tools.filePath(QStringLiteral("bin"));
    QString pdf = tools.filePath(QStringLiteral("page imprimée.pdf"));
    QByteArray savedPath = qgetenv("PATH");
    FakePlatform fake;
    QtPrograms programs;
    QtPrinter printer;
    Editor editor {Platform {fake.dialogs, fake.folders, programs, printer, fake.exports},
                   folder.path()};
    BoardController board {editor};
    SelectTool selectTool {editor};
    MoveTool moveTool {editor};

    Session()
    {
        QDir().mkpath(bin);
        writeWordProcessor("#!/bin/sh\nexit 0\n");
        qputenv("PATH", (bin + QLatin1Char(':')).toLocal8Bit() + savedPath);
        printer.setPdfFile(pdf);
    }
    ~Session() { qputenv("PATH", savedPath); }

    void writeWordProcessor(const QByteArray &script) const
    {
        QFile file(bin + QStringLiteral("/lowriter"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(script) < 0)
            qFatal("cannot write the word processor script");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void stamp(QPointF at)
    {
        board.pointerMove(Qt::NoButton, at);
        board.buttonPress(Qt::LeftButton, at);
        board.buttonRelease(Qt::LeftButton, at);
    }
    void select(QPointF anchor, QPointF end)
    {
        selectTool.press();
        board.pointerMove(Qt::NoButton, anchor);
        board.buttonPress(Qt::LeftButton, anchor);
        board.pointerMove(Qt::LeftButton, end);
        board.buttonRelease(Qt::LeftButton, end);
    }
    SaveCommand::Result save(const QString &name) { return saveAs(editor, fake.dialogs, name); }
    void pickRed() { pickSolidTile(editor, Red); }
    bool run(Command command)
    {
        switch (command) {
        case Command::Stamp:
            stamp(QPointF(130, 130));
            return true;
        case Command::Move:
            select(QPointF(13, 26), QPointF(52, 65));
            moveTool.press();
            return true;
        case Command::Save:
            return save(QStringLiteral("autre")) == SaveCommand::Result::Saved;
        case Command::Open:
            return OpenCommand(editor).open(QStringLiteral("carte.bmp"));
        case Command::TextEditor:
            return TextEditorCommand(editor).run() != TextEditorCommand::Result::Failed;
        case Command::Help:
            return HelpCommand(editor).run();
        case Command::Print:
            return PrintCommand(editor).run();
        }
        return false;
    }
};

} // namespace

class TestRealFaults : public QObject
{
    Q_OBJECT

    // Printing reaches no printer unless a case gives one.
    NoPrintServer noPrintServer_;

private slots:
    void faultIsToldNothingIsLostAndEditingResumes_data();
    void faultIsToldNothingIsLostAndEditingResumes();
    void startUpWorksOnceTheTemplateIsBack();
};

void TestRealFaults::faultIsToldNothingIsLostAndEditingResumes_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("file"); // what the fault stands on
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("told"); // in the messages, %1 the program folder

    const auto row = [](const char *name, Fault fault, const char *file, Command command,
                        const QStringList &told) {
        QTest::newRow(name) << int(fault) << QString::fromUtf8(file) << int(command) << told;
    };
    const QString inUse = QStringLiteral("un dossier porte ce nom");
    const QString missing = QStringLiteral("fichier ou dossier introuvable");
    row("demo.bmp is a folder", Fault::FolderAtFile, "demo.bmp", Command::Stamp,
        {"%1/demo.bmp", inUse, "conservé en mémoire"});
    row("tiledeplace.bmp is a folder", Fault::FolderAtFile, "tiledeplace.bmp", Command::Move,
        {"%1/tiledeplace.bmp", inUse, "conservé en mémoire"});
    row("project bitmap is a folder", Fault::FolderAtFile, "autre.bmp", Command::Save,
        {"%1/autre.bmp", inUse, "Le projet actif reste « Neuf »"});
    row("program folder gone, stamp", Fault::ProgramFolderGone, "", Command::Stamp,
        {"%1/demo.bmp", missing});
    row("program folder gone, move", Fault::ProgramFolderGone, "", Command::Move,
        {"%1/tiledeplace.bmp", "%1/demo.bmp", missing});
    row("program folder gone, save", Fault::ProgramFolderGone, "", Command::Save,
        {"%1/autre.bmp", missing});
    row("program folder gone, open", Fault::ProgramFolderGone, "", Command::Open,
        {"Impossible de charger le fichier sélectionné!"});
    row("template gone", Fault::DocumentGone, "vantorel.vtr", Command::TextEditor,
        {"« Neuf.doc »", "« vantorel.vtr »", missing});
    row("help document gone", Fault::DocumentGone, "readme.doc", Command::Help,
        {"Le document d'aide est introuvable", "%1/readme.doc"});
    row("no word processor", Fault::NoWordProcessor, "", Command::Help,
        {"Aucun traitement de texte", "%1/readme.doc"});
    row("word processor does not start", Fault::BrokenWordProcessor, "", Command::TextEditor,
        {"n'a pas pu être lancé", "%1/Neuf.doc", missing});
    row("no printer", Fault::NoPrinter, "", Command::Print, {"Aucune imprimante par défaut"});
    row("print output is a folder", Fault::FolderAtFile, "", Command::Print,
        {"L'impression du plan a échoué", "l'impression n'a pas pu commencer"});
}

void TestRealFaults::faultIsToldNothingIsLostAndEditingResumes()
{
    QFETCH(int, fault);
    QFETCH(QString, file);
    QFETCH(int, command);
    QFETCH(QStringList, told);
    Session s;
    QVERIFY(s.editor.startUp());
    const QString folderPath = s.folder.path();
    const QString away = folderPath + QStringLiteral("-ailleurs");

    // A map saved as "carte", then changed, so that an open shows.
    s.editor.board().setMap(patternedMap());
    s.board.activate();
    QCOMPARE(s.save(QStringLiteral("carte")), SaveCommand::Result::Saved);
    s.pickRed();
    s.stamp(QPointF(299, 299));
    s.editor.setProjectName(QStringLiteral("Neuf"));
    const QImage before = s.editor.board().map().copy();
    const int steps = s.editor.history().count();
    const QString caption = s.editor.caption();

    const auto cmd = Command(command);
    const auto broken = Fault(fault);
    switch (broken) {
    case Fault::FolderAtFile: {
        const QString path = cmd == Command::Print ? s.pdf : s.folder.file(file);
        QFile::remove(path);
        QVERIFY(QDir().mkdir(path));
        break;
    }
    case Fault::ProgramFolderGone:
        QVERIFY(QDir().rename(folderPath, away));
        break;
    case Fault::DocumentGone:
        QVERIFY(QFile::rename(s.folder.file(file), s.tools.filePath(file)));
        break;
    case Fault::NoWordProcessor:
        qputenv("PATH", s.tools.path().toLocal8Bit());
        break;
    case Fault::BrokenWordProcessor:
        s.writeWordProcessor("#!/nonexistent/interpreter\n");
        break;
    case Fault::NoPrinter:
        s.printer.setPdfFile(QString());
        break;
    }

    const bool cut = cmd == Command::Move;
    const bool edited = cmd == Command::Stamp || cut;
    if (broken == Fault::FolderAtFile && cmd == Command::Print)
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    // Edits report nothing; every other command reports its failure.
    QVERIFY(!s.run(cmd) || edited);

    QStringList texts;
    for (const Dialogs::Message &m : s.fake.dialogs.messages)
        texts.append(m.text);
    const QString all = texts.join(QStringLiteral("\n---\n"));
    for (const QString &part : told) {
        const QString expected = part.contains(QLatin1String("%1"))
                                     ? QDir::toNativeSeparators(part.arg(folderPath))
                                     : part;
        QVERIFY2(all.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + all));
    }
    // Only the files that failed are told, once each.
    QCOMPARE(texts.size(), cut && broken == Fault::ProgramFolderGone ? 2 : 1);

    // Nothing is lost: the board as the command left it, its history, the
    // cut block, the active project.
    const QRect block(13, 26, 39, 39);
    QImage expected = before;
    if (cmd == Command::Stamp)
        expected = withFill(before, QRect(130, 130, 26, 26), Red);
    if (cut) {
        expected = withFill(before, block, qRgb(255, 255, 255));
        QCOMPARE(s.editor.catalogue().picture(TileTable::MoveBufferIndex), before.copy(block));
        QCOMPARE(s.editor.state().CurrentTile, int(TileTable::MoveBufferIndex));
    }
    QCOMPARE(s.editor.board().map(), expected);
    QCOMPARE(s.editor.history().count(), steps + (edited ? 1 : 0));
    QCOMPARE(s.editor.projectName(), QStringLiteral("Neuf"));
    QCOMPARE(s.editor.caption(), caption);

    // The cause goes away.
    switch (broken) {
    case Fault::FolderAtFile:
        QVERIFY(QDir().rmdir(cmd == Command::Print ? s.pdf : s.folder.file(file)));
        break;
    case Fault::ProgramFolderGone:
        QVERIFY(QDir().rename(away, folderPath));
        break;
    case Fault::DocumentGone:
        QVERIFY(QFile::rename(s.tools.filePath(file), s.folder.file(file)));
        break;
    case Fault::NoWordProcessor:
        qputenv("PATH", (s.bin + QLatin1Char(':')).toLocal8Bit() + s.savedPath);
        break;
    case Fault::BrokenWordProcessor:
        s.writeWordProcessor("#!/bin/sh\nexit 0\n");
        break;
    case Fault::NoPrinter:
        s.printer.setPdfFile(s.pdf);
        break;
    }
    const qsizetype toldSoFar = s.fake.dialogs.messages.size();

    // The same command works, and so do editing, saving and opening.
    if (!edited && cmd != Command::Save)
        QVERIFY(s.run(cmd));
    s.pickRed();
    s.stamp(QPointF(650, 390));
    QCOMPARE(s.folder.image("demo.bmp"), s.editor.board().map());
    s.select(QPointF(0, 0), QPointF(26, 26));
    const QImage map = s.editor.board().map().copy();
    s.moveTool.press();
    QCOMPARE(s.folder.image("tiledeplace.bmp"), map.copy(0, 0, 26, 26));
    QCOMPARE(s.save(QStringLiteral("après")), SaveCommand::Result::Saved);
    const QImage saved = s.editor.board().map().copy();
    QCOMPARE(s.folder.image("après.bmp"), saved);
    s.stamp(QPointF(390, 260));
    QVERIFY(s.editor.board().map() != saved);
    QVERIFY(OpenCommand(s.editor).open(QStringLiteral("après.bmp")));
    QCOMPARE(s.editor.board().map(), saved);
    QCOMPARE(s.fake.dialogs.messages.size(), toldSoFar);
}

void TestRealFaults::startUpWorksOnceTheTemplateIsBack()
{
    ProgramFolderFixture folder;
    QTemporaryDir aside;
    const QString templ = folder.file(ProjectFiles::Template);
    QVERIFY(QFile::rename(templ, aside.filePath(ProjectFiles::Template)));
    {
        FakePlatform fake;
        Editor editor(fake.platform(), folder.path());
        QVERIFY(!editor.startUp());
        QCOMPARE(fake.dialogs.messages.size(), 1);
    }
    QVERIFY(QFile::rename(aside.filePath(ProjectFiles::Template), templ));
    FakePlatform fake;
    Editor editor(fake.platform(), folder.path());
    QVERIFY(editor.startUp());
    QVERIFY(fake.dialogs.messages.isEmpty());
    QCOMPARE(folder.read(ProjectFiles::StartDocument), folder.read(ProjectFiles::Template));
}

QTEST_MAIN(TestRealFaults)
#include "tst_realfaults.moc"
