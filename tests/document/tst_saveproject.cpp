#include "EditorHarness.h"
#include "bitmap/BitmapFiles.h"
#include "bitmap/BmpCodec.h"
#include "document/SaveCommand.h"
#include "document/TextEditorCommand.h"

#include <QDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

using Result = SaveCommand::Result;

// A temporary root of the test's own, holding the one where the program
// folder is made, so that the program folder's parent is the temporary root
// and its grandparent is this folder: eight characters climb no higher
// ("../../x"). No other program's files come and go in it.
class PrivateTemporaryRoot
{
public:
    PrivateTemporaryRoot() : saved_(qgetenv("TMPDIR")), wasSet_(qEnvironmentVariableIsSet("TMPDIR"))
    {
        if (!root_.isValid() || !QDir(root_.path()).mkdir(QStringLiteral("tmp")))
            qFatal("cannot make a private temporary root");
        qputenv("TMPDIR", QFile::encodeName(root_.filePath(QStringLiteral("tmp"))));
    }
    ~PrivateTemporaryRoot()
    {
        if (wasSet_)
            qputenv("TMPDIR", saved_);
        else
            qunsetenv("TMPDIR");
    }
    PrivateTemporaryRoot(const PrivateTemporaryRoot &) = delete;
    PrivateTemporaryRoot &operator=(const PrivateTemporaryRoot &) = delete;

    QString path() const { return root_.path(); }

private:
    QTemporaryDir root_;
    QByteArray saved_;
    bool wasSet_;
};

// A small file system of the test's own, in memory, unmounted at the end.
class SmallDisk
{
public:
    SmallDisk()
    {
        if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=4m")
            == 0)
            mounted_ = true;
        else
            problem_ = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    QString problem() const { return problem_; }
    QString path() const { return dir_.path(); }

    // Fills the disk until exactly bytes are free.
    bool leaveFree(qint64 bytes)
    {
        const QByteArray filler = QFile::encodeName(dir_.filePath("remplissage"));
        ::unlink(filler.constData());
        struct statvfs disk {
        };
        if (::statvfs(filler.constData(), &disk) != 0
            && ::statvfs(QFile::encodeName(dir_.path()).constData(), &disk) != 0)
            return false;
        const qint64 taken = qint64(disk.f_bavail) * qint64(disk.f_frsize) - bytes;
        if (taken < 0)
            return false;
        if (taken == 0)
            return true;
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const bool filled = fd >= 0 && ::posix_fallocate(fd, 0, taken) == 0;
        if (fd >= 0)
            ::close(fd);
        return filled;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString problem_;
};

// The files of a folder, hidden ones too, but the disk's filler.
QStringList names(const QString &folder)
{
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    found.removeAll(QStringLiteral("remplissage"));
    return found;
}

} // namespace

class TestSaveProject : public QObject
{
    Q_OBJECT

private slots:
    void promptProposesTrimmedActiveName();
    void lengthDecides_data();
    void lengthDecides();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void blanksAroundNameWereWrittenIntoFileNames();
    void startUpNameWasSavedAndItsScenarioLostAtNextStart();
    void savingTwiceReplacesBitmapAndKeepsDocument();
    void anotherProjectWasReplacedWithoutAWord_data();
    void anotherProjectWasReplacedWithoutAWord();
    void captionNamedAFileOfAnotherLetterCase();
    void helpDocumentWasCarriedAsScenario();
    void readOnlyProjectFileWasReplaced_data();
    void readOnlyProjectFileWasReplaced();
    void replacedFilesKeepTheirPermissions();
    void documentFollowsProjectAndCopiesAreIndependent();
    void firstSaveCopiesLowerCaseNewDoc();
    void namesWriteNothingOutsideTheProgramFolder_data();
    void namesWriteNothingOutsideTheProgramFolder();
    void failedBitmapWriteKeepsNameCaptionAndDocuments();
    void failedDocumentCopyWarnsNamingBothFiles();
    void fullDiskLeftEmptyOrPartialDocuments();
    void savedBitmapNeverHoldsPreviewSelectionOrFrame();
    void saveTouchesNeitherCommitNorUndoNorMode();
};

void TestSaveProject::promptProposesTrimmedActiveName()
{
    EditorHarness h;
    QCOMPARE(h.save(QString()), Result::Cancelled);
    h.editor.setProjectName(QStringLiteral("  long name "));
    h.save(QString());
    QCOMPARE(h.fake.dialogs.prompts.size(), 2);
    const ScriptedDialogs::Prompt first = h.fake.dialogs.prompts.first();
    QCOMPARE(first.message, QStringLiteral("Entrez un nom de 8 caractères maxi"));
    QCOMPARE(first.title, QStringLiteral("Enregistrer sous..."));
    QCOMPARE(first.defaultText, QStringLiteral("New"));
    QCOMPARE(h.fake.dialogs.prompts.last().defaultText, QStringLiteral("long name"));
}

void TestSaveProject::lengthDecides_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("saved");

    QTest::newRow("8 characters") << "abcdefgh" << true;
    QTest::newRow("9 characters") << "abcdefghi" << false;
    QTest::newRow("1 character") << "z" << true;
    QTest::newRow("8 accented letters") << "éàçèùâêî" << true;
    QTest::newRow("9 accented letters") << "éàçèùâêîô" << false;
    // Sixteen UTF-16 units, but eight characters to the user.
    QTest::newRow("8 characters beyond the basic plane")
        << QString::fromUtf8("\U0001F5FA\U0001F5FA\U0001F5FA\U0001F5FA\U0001F5FA\U0001F5FA"
                             "\U0001F5FA\U0001F5FA")
        << true;
}

void TestSaveProject::lengthDecides()
{
    QFETCH(QString, name);
    QFETCH(bool, saved);
    EditorHarness h;
    const auto before = h.folder.snapshot();
    const QString caption = h.editor.caption();

    const Result result = h.save(name);
    if (saved) {
        QCOMPARE(result, Result::Saved);
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QVERIFY(h.folder.exists(name + ".bmp"));
        QCOMPARE(h.editor.projectName(), name);
        QCOMPARE(h.editor.caption(), h.captionFor(name + ".bmp"));
        return;
    }
    QCOMPARE(result, Result::TooLong);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.text, QStringLiteral("Le nom comporte plus de 8 caractères! La commande est "
                                      "annulée!"));
    QCOMPARE(box.buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(box.icon, Dialogs::Icon::None);
    QVERIFY(box.title.isEmpty()); // the application's own title
    QCOMPARE(h.folder.snapshot(), before);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
    QCOMPARE(h.editor.caption(), caption);
}

void TestSaveProject::cancelChangesNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ");
}

void TestSaveProject::cancelChangesNothing()
{
    QFETCH(QString, typed);
    EditorHarness h;
    h.stamp(40, 40);
    const auto before = h.folder.snapshot();
    const QString caption = h.editor.caption();
    QCOMPARE(h.save(typed), Result::Cancelled);
    QVERIFY(h.fake.dialogs.messages.isEmpty());
    QCOMPARE(h.folder.snapshot(), before);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

void TestSaveProject::blanksAroundNameWereWrittenIntoFileNames()
{
    EditorHarness h;
    // Right after start-up the board is all white.
    QCOMPARE(h.save(" a "), Result::Saved);
    QCOMPARE(h.folder.image("a.bmp"), BoardModel::whiteBoard());
    QCOMPARE(h.folder.read("a.doc"), h.folder.read("vantorel.vtr"));
    QVERIFY(!h.folder.exists(" a .bmp"));
    QVERIFY(!h.folder.exists(" a .doc"));
    QCOMPARE(h.editor.caption(), h.captionFor("a.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("a"));

    // The next save carries the document saved under the letter alone.
    h.folder.write("a.doc", "scenario of a");
    QCOMPARE(h.save("  b"), Result::Saved);
    QCOMPARE(h.fake.dialogs.prompts.last().defaultText, QStringLiteral("a"));
    QCOMPARE(h.folder.read("b.doc"), QByteArray("scenario of a"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestSaveProject::startUpNameWasSavedAndItsScenarioLostAtNextStart()
{
    // Every start rewrites new.doc from the template, so a project "New"
    // would lose its scenario: pressing OK on the proposed name saves nothing.
    for (const char *typed : {"New", "new", "NEW", " nEw "}) {
        EditorHarness h;
        h.folder.write("new.doc", "scenario written since the start");
        const auto before = h.folder.snapshot();
        const QString caption = h.editor.caption();
        QCOMPARE(h.save(typed), Result::Refused);
        QCOMPARE(h.fake.dialogs.prompts.first().defaultText, QStringLiteral("New"));
        QCOMPARE(h.fake.dialogs.messages.size(), 1);
        const QString text = h.fake.dialogs.messages.first().text;
        QVERIFY2(text.contains("projet de démarrage") && text.contains("« new.doc »")
                     && text.contains("n'est pas enregistré"),
                 qPrintable(text));
        QCOMPARE(h.folder.snapshot(), before);
        QCOMPARE(h.editor.caption(), caption);
    }
}

void TestSaveProject::savingTwiceReplacesBitmapAndKeepsDocument()
{
    EditorHarness h;
    h.pickSolidTile();
    QCOMPARE(h.save("twice"), Result::Saved);
    h.folder.write("twice.doc", "written in the word processor");
    h.stamp(100, 100);
    QCOMPARE(h.save("twice"), Result::Saved);
    QCOMPARE(h.folder.image("twice.bmp"), h.editor.board().map());
    QVERIFY(h.folder.image("twice.bmp") != BoardModel::whiteBoard());
    QCOMPARE(h.folder.read("twice.doc"), QByteArray("written in the word processor"));
    // The same project in other letters is the same file.
    QCOMPARE(h.save("TWICE"), Result::Saved);
    QCOMPARE(h.folder.read("twice.doc"), QByteArray("written in the word processor"));
    QCOMPARE(QDir(h.folder.path()).entryList({"twice.*"}, QDir::Files).size(), 2);
    // Its own files are replaced without a question.
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestSaveProject::anotherProjectWasReplacedWithoutAWord_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("openedAway"); // the active "b" was opened from another folder
    QTest::addColumn<QStringList>("existing"); // the files of "b" in the program folder
    QTest::addColumn<bool>("yes");

    const QStringList both = {"b.bmp", "b.doc"};
    QTest::newRow("another project, No") << "b" << false << both << false;
    QTest::newRow("another project, Yes") << "b" << false << both << true;
    QTest::newRow("another project in other letters, No") << "B" << false << both << false;
    QTest::newRow("its scenario alone, No") << "b" << false << QStringList {"b.doc"} << false;
    QTest::newRow("opened away, project here, No") << "b" << true << both << false;
    QTest::newRow("opened away, project here, Yes") << "b" << true << both << true;
    QTest::newRow("opened away, none here") << "b" << true << QStringList() << false;
}

void TestSaveProject::anotherProjectWasReplacedWithoutAWord()
{
    QFETCH(QString, typed);
    QFETCH(bool, openedAway);
    QFETCH(QStringList, existing);
    QFETCH(bool, yes);
    EditorHarness h;
    h.pickSolidTile();
    QCOMPARE(h.save("a"), Result::Saved);
    h.folder.write("a.doc", "scenario of a");
    for (const QString &file : existing)
        h.folder.write(file, file.endsWith(".bmp") ? QByteArray("map of b") : "scenario of b");
    QTemporaryDir away;
    if (openedAway) {
        QFile scenario(away.filePath("b.doc"));
        QVERIFY(scenario.open(QIODevice::WriteOnly) && scenario.write("scenario from away") > 0);
        scenario.close();
        h.editor.setProject("b", away.path());
    }
    h.stamp(130, 130);
    h.move(300, 300); // a preview on the board
    const QImage shown = h.editor.board().displayed().copy();
    const auto before = h.folder.snapshot();
    const QString name = h.editor.projectName();
    const QString caption = h.editor.caption();
    if (yes)
        h.fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);

    const Result result = h.save(typed);
    if (existing.isEmpty()) {
        QCOMPARE(result, Result::Saved);
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QCOMPARE(h.folder.read("b.doc"), QByteArray("scenario from away"));
        return;
    }
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(box.defaultButton, Dialogs::Answer::No);
    QCOMPARE(box.title, QStringLiteral("Enregistrer sous..."));
    QVERIFY(box.text.contains(QStringLiteral("Le projet « %1 » existe déjà").arg(typed)));
    for (const QString &file : existing)
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(h.folder.file(file))),
                 qPrintable(box.text));
    if (!yes) {
        QCOMPARE(result, Result::Declined);
        QCOMPARE(h.folder.snapshot(), before);
        QCOMPARE(h.editor.projectName(), name);
        QCOMPARE(h.editor.caption(), caption);
        QCOMPARE(h.editor.board().displayed(), shown);
        return;
    }
    QCOMPARE(result, Result::Saved);
    QCOMPARE(h.folder.image("b.bmp"), h.editor.board().map());
    QCOMPARE(h.folder.read("b.doc"),
             QByteArray(openedAway ? "scenario from away" : "scenario of a"));
    QCOMPARE(h.editor.projectName(), typed);
    QVERIFY(h.editor.projectInProgramFolder());
}

void TestSaveProject::captionNamedAFileOfAnotherLetterCase()
{
    EditorHarness h;
    QCOMPARE(h.save(QStringLiteral("ça")), Result::Saved);
    QCOMPARE(h.save("autre"), Result::Saved);
    h.fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);

    QCOMPARE(h.save(QStringLiteral("ÇA")), Result::Saved);
    QCOMPARE(h.folder.image(QStringLiteral("ça.bmp")), h.editor.board().map());
    QCOMPARE(h.editor.caption(), h.captionFor(QStringLiteral("ça.bmp")));
    QCOMPARE(h.editor.projectName(), QStringLiteral("ça"));
    QVERIFY(!QDir(h.folder.path()).entryList().contains(QStringLiteral("ÇA.bmp")));
}

void TestSaveProject::helpDocumentWasCarriedAsScenario()
{
    // A "readme.bmp" opened from the program folder or from another folder:
    // the readme.doc beside it is a help document, not its scenario.
    QTemporaryDir away;
    QFile help(away.filePath("ReadMe.doc"));
    QVERIFY(help.open(QIODevice::WriteOnly) && help.write("help of another copy") > 0);
    help.close();
    for (const QString &folder : {QString(), away.path()}) {
        EditorHarness h;
        h.editor.setProject("readme", folder.isEmpty() ? h.folder.path() : folder);
        QCOMPARE(h.save("carte"), Result::Saved);
        QVERIFY(h.folder.exists("carte.bmp"));
        QVERIFY(!h.folder.exists("carte.doc"));
        QVERIFY(h.fake.dialogs.messages.isEmpty());
    }
}

void TestSaveProject::readOnlyProjectFileWasReplaced_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("locked");

    const auto row = [](const char *tag, const char *typed, const char *locked) {
        QTest::newRow(tag) << QString::fromUtf8(typed) << QString::fromUtf8(locked);
    };
    row("its own map", "a", "a.bmp");
    row("another project's map", "b", "b.bmp");
    // Looked at before the map is written: no new b.bmp is left beside it.
    row("another project's scenario", "b", "b.doc");
}

void TestSaveProject::readOnlyProjectFileWasReplaced()
{
    QFETCH(QString, typed);
    QFETCH(QString, locked);
    EditorHarness h;
    QCOMPARE(h.save("a"), Result::Saved);
    h.folder.write("b.bmp", "map of b");
    h.folder.write("b.doc", "scenario of b");
    // Read-only as chmod a-w leaves it; the superuser could still write it.
    QVERIFY(QFile::setPermissions(h.folder.file(locked),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    h.stamp(130, 130);
    const auto before = h.folder.snapshot();
    const QString caption = h.editor.caption();
    h.fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);

    QCOMPARE(h.save(typed), Result::WriteFailed);
    QCOMPARE(h.fake.dialogs.messages.size(), 1); // told at once, not asked first
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QVERIFY2(box.text.startsWith("Le projet n'a pas pu être enregistré : le fichier « "
                                 + QDir::toNativeSeparators(h.folder.file(locked)))
                 && box.text.contains("protégé en écriture"),
             qPrintable(box.text));
    QCOMPARE(h.folder.snapshot(), before);
    QCOMPARE(h.editor.projectName(), QStringLiteral("a"));
    QCOMPARE(h.editor.caption(), caption);
}

void TestSaveProject::replacedFilesKeepTheirPermissions()
{
    EditorHarness h;
    QCOMPARE(h.save("a"), Result::Saved);
    h.folder.write("b.bmp", "map of b");
    h.folder.write("b.doc", "scenario of b");
    // A map its owner may write but not read, a scenario others may read.
    const QFile::Permissions map = QFile::WriteOwner;
    const QFile::Permissions scenario = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(h.folder.file("b.bmp"), map));
    QVERIFY(QFile::setPermissions(h.folder.file("b.doc"), scenario));
    const QFile::Permissions mapSeen = QFile::permissions(h.folder.file("b.bmp"));
    const QFile::Permissions scenarioSeen = QFile::permissions(h.folder.file("b.doc"));
    h.fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);

    QCOMPARE(h.save("b"), Result::Saved);
    QCOMPARE(h.folder.read("b.doc"), h.folder.read("a.doc"));
    QCOMPARE(QFile::permissions(h.folder.file("b.bmp")), mapSeen);
    QCOMPARE(QFile::permissions(h.folder.file("b.doc")), scenarioSeen);
}

void TestSaveProject::documentFollowsProjectAndCopiesAreIndependent()
{
    EditorHarness h;
    QCOMPARE(h.save("one"), Result::Saved);
    h.folder.write("one.doc", "scenario of one");
    QCOMPARE(h.save("two"), Result::Saved);
    QCOMPARE(h.folder.read("two.doc"), QByteArray("scenario of one"));
    h.folder.write("two.doc", "scenario of two");
    QCOMPARE(h.folder.read("one.doc"), QByteArray("scenario of one"));
    QCOMPARE(h.save("three"), Result::Saved);
    QCOMPARE(h.folder.read("three.doc"), QByteArray("scenario of two"));
}

void TestSaveProject::firstSaveCopiesLowerCaseNewDoc()
{
    EditorHarness h;
    QVERIFY(h.folder.exists("new.doc"));
    QVERIFY(!QFileInfo::exists(h.folder.file("New.doc")));
    QCOMPARE(h.save("first"), Result::Saved);
    QCOMPARE(h.folder.read("first.doc"), h.folder.read("vantorel.vtr"));
    QVERIFY(!QFileInfo::exists(h.folder.file("New.doc")));
}

void TestSaveProject::namesWriteNothingOutsideTheProgramFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");

    for (const char *name :
         {"a/b",     "../evil", "../../x", "/",   "a\\b", "..\\x",  "c:x",    "a*",     "what?",
          "say\"hi", "<a>",     "a|b",     ".",   "..",   "readme", "README", "ReadMe", " readme",
          "demo",    "Demo",    "demo ",   "a.b", "...",  "é.è",    "v1.",    ".a"})
        QTest::newRow(name) << QString::fromUtf8(name) << true;
    for (const char16_t c : {0x01, 0x09, 0x0a, 0x0d, 0x1b, 0x1f, 0x7f, 0x85})
        QTest::addRow("control U+%04X", unsigned(c)) << QStringLiteral("a") + QChar(c) << true;
    QStringList devices = {"CON", "PRN", "AUX", "NUL"};
    for (int i = 1; i <= 9; ++i)
        devices << QStringLiteral("COM%1").arg(i) << QStringLiteral("LPT%1").arg(i);
    for (const QString &device : std::as_const(devices)) {
        // Any letter case, with or without an extension or trailing blanks.
        const QString mixed = device.left(1).toLower() + device.mid(1, 1) + device.mid(2).toLower();
        QTest::newRow(qPrintable(device)) << device << true;
        QTest::newRow(qPrintable(mixed + ".txt")) << mixed + ".txt" << true;
        QTest::newRow(qPrintable(device.toLower() + "  ")) << device.toLower() + "  " << true;
    }
    // Names close to the refused ones that stay plain file names, and names
    // with accents and blanks.
    for (const char *name : {"a b", "con2", "COM10", "lpt", "console", "readme2", "-x-", "#1",
                             "l'été", "à côté", "Ça va", "ñ", "Œuvre", "\xc2\xa0nbsp"})
        QTest::newRow(name) << QString::fromUtf8(name) << false;
}

void TestSaveProject::namesWriteNothingOutsideTheProgramFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    PrivateTemporaryRoot root;
    EditorHarness h;
    QCOMPARE(QFileInfo(h.folder.path()).absolutePath(), QDir::tempPath());
    // A folder where a careless save would write "a/b.bmp".
    QVERIFY(QDir(h.folder.path()).mkdir("a"));
    const auto before = h.folder.snapshot();
    const QStringList filesBefore = QDir(h.folder.path()).entryList(QDir::Files | QDir::Hidden);
    const auto outside = ProgramFolderFixture::snapshot(root.path(), h.folder.path());
    const QString caption = h.editor.caption();

    const Result result = h.save(name);
    QCOMPARE(ProgramFolderFixture::snapshot(root.path(), h.folder.path()), outside);
    if (!refused) {
        QCOMPARE(result, Result::Saved);
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QStringList added = QDir(h.folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString &file : filesBefore)
            added.removeOne(file);
        QCOMPARE(added, QStringList({name + ".bmp", name + ".doc"}));
        return;
    }
    QCOMPARE(result, Result::Refused);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QCOMPARE(h.fake.dialogs.messages.first().icon, Dialogs::Icon::Exclamation);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("n'est pas enregistré"));
    QCOMPARE(h.folder.snapshot(), before);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

void TestSaveProject::failedBitmapWriteKeepsNameCaptionAndDocuments()
{
    EditorHarness h;
    QCOMPARE(h.save("kept"), Result::Saved);
    // A folder standing at the bitmap's name makes the write fail, even for root.
    QVERIFY(QDir(h.folder.path()).mkdir("Taken.BMP"));
    const auto before = h.folder.snapshot();
    const QString caption = h.editor.caption();

    QCOMPARE(h.save("taken"), Result::WriteFailed);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    // The file in the way is named as it stands.
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("Taken.BMP"))));
    QVERIFY(box.text.contains("un dossier porte ce nom"));
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("kept"));
    QCOMPARE(h.folder.snapshot(), before); // no "taken.doc" either
}

void TestSaveProject::failedDocumentCopyWarnsNamingBothFiles()
{
    EditorHarness h;
    QVERIFY(QDir(h.folder.path()).mkdir("nodoc.doc"));
    QCOMPARE(h.save("nodoc"), Result::Saved);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("new.doc"))));
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("nodoc.doc"))));
    // The map and the new name stand.
    QVERIFY(h.folder.exists("nodoc.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("nodoc"));
    QCOMPARE(h.editor.caption(), h.captionFor("nodoc.bmp"));
    QCOMPARE(h.folder.read("new.doc"), h.folder.read("vantorel.vtr"));
}

// On a nearly full disk SAVE left an empty scenario without a word, or said
// "Unknown error", and Text Editor opened an empty document. At every level
// of free space, in steps of a page, either the files are whole, or a French
// message names the file not written and nothing empty or partial is left.
void TestSaveProject::fullDiskLeftEmptyOrPartialDocuments()
{
    SmallDisk disk;
    if (!disk.problem().isEmpty())
        QSKIP(qPrintable("a small file system cannot be mounted here (the test needs root): "
                         + disk.problem()));
    const QByteArray templateBytes = ProgramFolderFixture().read("vantorel.vtr");
    const qint64 page = 4096;
    const auto pages = [page](qint64 bytes) { return (bytes + page - 1) / page * page; };
    const qint64 all
        = pages(BmpCodec::encode(BoardModel::whiteBoard()).size()) + pages(templateBytes.size());
    QStringList summary;
    for (qint64 free = 0; free <= all; free += page) {
        const QString folder = disk.path() + QStringLiteral("/niveau");
        QFile::remove(disk.path() + "/remplissage");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkdir(folder));
        {
            QFile file(folder + "/vantorel.vtr");
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(templateBytes) > 0);
        }
        FakePlatform fake;
        fake.programs.available = {"lowriter"};
        Editor editor(fake.platform(), folder);
        QVERIFY(editor.startUp());

        // SAVE of the start-up project: its map, and new.doc as its scenario.
        QVERIFY(disk.leaveFree(free));
        saveAs(editor, fake.dialogs, "carte");
        QString saved;
        const bool mapWhole
            = QFileInfo::exists(folder + "/carte.bmp")
              && BitmapFiles::read(folder + "/carte.bmp", nullptr) == editor.board().map();
        QFile doc(folder + "/carte.doc");
        const bool docWhole = doc.open(QIODevice::ReadOnly) && doc.readAll() == templateBytes;
        doc.close();
        QStringList expected = {"new.doc", "vantorel.vtr"};
        if (fake.dialogs.messages.isEmpty()) {
            QVERIFY2(mapWhole && docWhole, qPrintable(QString::number(free)));
            saved = "saved";
            expected << "carte.bmp"
                     << "carte.doc";
        } else {
            const QString told = fake.dialogs.messages.takeFirst().text;
            QVERIFY2(!told.contains("Unknown") && told.contains("plus de place sur le disque"),
                     qPrintable(told));
            if (mapWhole) {
                QVERIFY2(told.startsWith(QStringLiteral("La carte est enregistrée, mais le "
                                                        "scénario"))
                             && told.contains(QDir::toNativeSeparators(doc.fileName())),
                         qPrintable(told));
                saved = "map only";
                expected << "carte.bmp";
            } else {
                QVERIFY2(told.contains(QDir::toNativeSeparators(folder + "/carte.bmp")),
                         qPrintable(told));
                saved = "nothing";
            }
        }
        expected.sort();
        QCOMPARE(names(folder), expected);

        // Text Editor on a project without a scenario: one from the template.
        editor.setProjectName("texte");
        QVERIFY(disk.leaveFree(free));
        const auto made = TextEditorCommand(editor).run();
        QFile text(folder + "/texte.doc");
        if (made == TextEditorCommand::Result::CreatedFromTemplate) {
            QVERIFY(text.open(QIODevice::ReadOnly) && text.readAll() == templateBytes);
            saved += ", scenario made";
            expected << "texte.doc";
            expected.sort();
        } else {
            QVERIFY(!text.exists());
            const QString told = fake.dialogs.messages.value(0).text;
            QVERIFY2(told.contains(QStringLiteral("« texte.doc » n'a pas pu être créé"))
                         && told.contains("plus de place sur le disque"),
                     qPrintable(told));
            saved += ", scenario refused";
        }
        QCOMPARE(names(folder), expected);
        if (summary.isEmpty() || !summary.last().endsWith(": " + saved))
            summary << QStringLiteral("%1 KiB free: %2").arg(free / 1024).arg(saved);
    }
    qInfo("%s", qPrintable(summary.join("; ")));
}

void TestSaveProject::savedBitmapNeverHoldsPreviewSelectionOrFrame()
{
    EditorHarness h;
    h.pickSolidTile();
    h.stamp(26, 26);
    const QImage map = h.editor.board().map().copy();
    // The preview follows the pointer, a print frame is drawn over the
    // board, and a selection is made.
    h.move(300, 200);
    h.editor.board().drawRectangle(QPointF(0, 0), QPointF(400, 300), Qt::red, 3);
    h.state().Mode = EditMode::SelectionArmed;
    h.move(130, 130);
    h.board.buttonPress(Qt::LeftButton, QPointF(130, 130));
    h.move(260, 260);
    h.board.buttonRelease(Qt::LeftButton, QPointF(260, 260));
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
    QVERIFY(h.editor.board().displayed() != map);

    QCOMPARE(h.save("clean"), Result::Saved);
    QCOMPARE(h.folder.image("clean.bmp"), map);
    // The drawn selection leaves the view; the selection itself stays.
    QCOMPARE(h.editor.board().displayed(), map);
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), QPoint(130, 130));
    QCOMPARE(QPoint(h.state().SelX2, h.state().SelY2), QPoint(260, 260));
}

void TestSaveProject::saveTouchesNeitherCommitNorUndoNorMode()
{
    EditorHarness h;
    h.pickSolidTile();
    h.stamp(13, 13);
    h.stamp(52, 13);
    const QByteArray demo = h.folder.read("demo.bmp");
    const QImage committed = h.editor.board().map();
    const int steps = h.editor.history().count();
    QCOMPARE(h.save("same"), Result::Saved);
    QCOMPARE(h.folder.read("demo.bmp"), demo);
    QCOMPARE(h.editor.board().map(), committed);
    QCOMPARE(h.editor.history().count(), steps);
    QCOMPARE(h.state().Mode, EditMode::Placement);
}

QTEST_MAIN(TestSaveProject)
#include "tst_saveproject.moc"
