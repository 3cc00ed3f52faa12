#include "EditorHarness.h"
#include "project/SaveCommand.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

namespace {

using Result = SaveCommand::Result;

// Types the name in the prompt and runs the save.
Result save(EditorHarness &h, const QString &name)
{
    h.fake.dialogs.promptAnswers.enqueue(name);
    return SaveCommand(h.editor).run();
}

// Every file and folder under root, with its size and time, leaving out the
// folder skipped and what lies in it.
QStringList tree(const QString &root, const QString &skipped = QString())
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!skipped.isEmpty()
            && (info.filePath() == skipped || info.filePath().startsWith(skipped + '/')))
            continue;
        entries.append(QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

QStringList tree(const ProgramFolderFixture &folder) { return tree(folder.path()); }

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

// Makes a solid block the current tile, so that stamps show whatever the
// catalogue's artwork.
void pickSolidTile(EditorHarness &h, QRgb colour = qRgb(200, 30, 30))
{
    QImage block(26, 26, QImage::Format_RGB32);
    block.fill(colour);
    h.editor.catalogue().setMoveBuffer(block);
    h.state().CurrentTile = 0;
    h.state().TileVariants = 0;
}

QString captionFor(const EditorHarness &h, const QString &file)
{
    return Editor::CaptionPrefix + QDir::toNativeSeparators(h.folder.path() + '/' + file);
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
    void documentFollowsProjectAndCopiesAreIndependent();
    void firstSaveCopiesLowerCaseNewDoc();
    void namesWriteNothingOutsideTheProgramFolder_data();
    void namesWriteNothingOutsideTheProgramFolder();
    void failedBitmapWriteKeepsNameCaptionAndDocuments();
    void failedDocumentCopyWarnsNamingBothFiles();
    void savedBitmapNeverHoldsPreviewSelectionOrFrame();
    void saveRightAfterEraseDroppedTheErase();
    void saveTouchesNeitherCommitNorUndoNorMode();
};

void TestSaveProject::promptProposesTrimmedActiveName()
{
    EditorHarness h;
    QCOMPARE(save(h, QString()), Result::Cancelled);
    h.editor.setProjectName(QStringLiteral("  long name "));
    save(h, QString());
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
    const QStringList before = tree(h.folder);
    const QString caption = h.editor.caption();

    const Result result = save(h, name);
    if (saved) {
        QCOMPARE(result, Result::Saved);
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QVERIFY(h.folder.exists(name + ".bmp"));
        QCOMPARE(h.editor.projectName(), name);
        QCOMPARE(h.editor.caption(), captionFor(h, name + ".bmp"));
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
    QCOMPARE(tree(h.folder), before);
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
    QCOMPARE(save(h, typed), Result::Cancelled);
    QVERIFY(h.fake.dialogs.messages.isEmpty());
    QCOMPARE(h.folder.snapshot(), before);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

void TestSaveProject::blanksAroundNameWereWrittenIntoFileNames()
{
    EditorHarness h;
    // Right after start-up the board is all white.
    QCOMPARE(save(h, " a "), Result::Saved);
    QCOMPARE(h.folder.image("a.bmp"), BoardModel::whiteBoard());
    QCOMPARE(h.folder.read("a.doc"), h.folder.read("vantorel.vtr"));
    QVERIFY(!h.folder.exists(" a .bmp"));
    QVERIFY(!h.folder.exists(" a .doc"));
    QCOMPARE(h.editor.caption(), captionFor(h, "a.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("a"));

    // The next save carries the document saved under the letter alone.
    h.folder.write("a.doc", "scenario of a");
    QCOMPARE(save(h, "  b"), Result::Saved);
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
        QCOMPARE(save(h, typed), Result::Refused);
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
    pickSolidTile(h);
    QCOMPARE(save(h, "twice"), Result::Saved);
    h.folder.write("twice.doc", "written in the word processor");
    h.stamp(100, 100);
    QCOMPARE(save(h, "twice"), Result::Saved);
    QCOMPARE(h.folder.image("twice.bmp"), h.editor.board().committed());
    QVERIFY(h.folder.image("twice.bmp") != BoardModel::whiteBoard());
    QCOMPARE(h.folder.read("twice.doc"), QByteArray("written in the word processor"));
    // The same project in other letters is the same file.
    QCOMPARE(save(h, "TWICE"), Result::Saved);
    QCOMPARE(h.folder.read("twice.doc"), QByteArray("written in the word processor"));
    QCOMPARE(QDir(h.folder.path()).entryList({"twice.*"}, QDir::Files).size(), 2);
}

void TestSaveProject::documentFollowsProjectAndCopiesAreIndependent()
{
    EditorHarness h;
    QCOMPARE(save(h, "one"), Result::Saved);
    h.folder.write("one.doc", "scenario of one");
    QCOMPARE(save(h, "two"), Result::Saved);
    QCOMPARE(h.folder.read("two.doc"), QByteArray("scenario of one"));
    h.folder.write("two.doc", "scenario of two");
    QCOMPARE(h.folder.read("one.doc"), QByteArray("scenario of one"));
    QCOMPARE(save(h, "three"), Result::Saved);
    QCOMPARE(h.folder.read("three.doc"), QByteArray("scenario of two"));
}

void TestSaveProject::firstSaveCopiesLowerCaseNewDoc()
{
    EditorHarness h;
    QVERIFY(h.folder.exists("new.doc"));
    QVERIFY(!QFileInfo::exists(h.folder.file("New.doc")));
    QCOMPARE(save(h, "first"), Result::Saved);
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
    const QStringList before = tree(h.folder);
    const QStringList filesBefore = QDir(h.folder.path()).entryList(QDir::Files | QDir::Hidden);
    const QStringList outside = tree(root.path(), h.folder.path());
    const QString caption = h.editor.caption();

    const Result result = save(h, name);
    QCOMPARE(tree(root.path(), h.folder.path()), outside);
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
    QCOMPARE(tree(h.folder), before);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

void TestSaveProject::failedBitmapWriteKeepsNameCaptionAndDocuments()
{
    EditorHarness h;
    QCOMPARE(save(h, "kept"), Result::Saved);
    // A folder standing at the bitmap's name makes the write fail, even for root.
    QVERIFY(QDir(h.folder.path()).mkdir("Taken.BMP"));
    const QStringList before = tree(h.folder);
    const QString caption = h.editor.caption();

    QCOMPARE(save(h, "taken"), Result::WriteFailed);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("taken.bmp"))));
    QVERIFY(box.text.contains("un dossier porte ce nom"));
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("kept"));
    QCOMPARE(tree(h.folder), before); // no "taken.doc" either
}

void TestSaveProject::failedDocumentCopyWarnsNamingBothFiles()
{
    EditorHarness h;
    QVERIFY(QDir(h.folder.path()).mkdir("nodoc.doc"));
    QCOMPARE(save(h, "nodoc"), Result::Saved);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("New.doc"))));
    QVERIFY(box.text.contains(QDir::toNativeSeparators(h.folder.file("nodoc.doc"))));
    // The map and the new name stand.
    QVERIFY(h.folder.exists("nodoc.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("nodoc"));
    QCOMPARE(h.editor.caption(), captionFor(h, "nodoc.bmp"));
    QCOMPARE(h.folder.read("new.doc"), h.folder.read("vantorel.vtr"));
}

void TestSaveProject::savedBitmapNeverHoldsPreviewSelectionOrFrame()
{
    EditorHarness h;
    pickSolidTile(h);
    h.stamp(26, 26);
    const QImage map = h.editor.board().committed().copy();
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

    QCOMPARE(save(h, "clean"), Result::Saved);
    QCOMPARE(h.folder.image("clean.bmp"), map);
    // The drawn selection leaves the view; the selection itself stays.
    QCOMPARE(h.editor.board().displayed(), map);
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), QPoint(130, 130));
    QCOMPARE(QPoint(h.state().SelX2, h.state().SelY2), QPoint(260, 260));
}

void TestSaveProject::saveRightAfterEraseDroppedTheErase()
{
    EditorHarness h;
    pickSolidTile(h);
    h.stamp(0, 0);
    h.move(200, 200);
    // An erase blanks its block in the drawings and commits: the board picture
    // lags behind the committed board until the next pointer move.
    BoardModel &board = h.editor.board();
    board.clearDrawings();
    board.blit(board.blank(), QRect(0, 0, 26, 26), QPoint(0, 0));
    h.editor.CommitBoard();
    QVERIFY(board.picture() != board.committed());

    QCOMPARE(save(h, "erased"), Result::Saved);
    QCOMPARE(h.folder.image("erased.bmp"), board.committed());
    QCOMPARE(h.folder.image("erased.bmp").pixel(5, 5), qRgb(255, 255, 255));
}

void TestSaveProject::saveTouchesNeitherCommitNorUndoNorMode()
{
    EditorHarness h;
    pickSolidTile(h);
    h.stamp(13, 13);
    h.stamp(52, 13);
    const QByteArray demo = h.folder.read("demo.bmp");
    const QImage committed = h.editor.board().committed();
    const QImage undo = h.editor.board().undoCopy();
    QCOMPARE(save(h, "same"), Result::Saved);
    QCOMPARE(h.folder.read("demo.bmp"), demo);
    QCOMPARE(h.editor.board().committed(), committed);
    QCOMPARE(h.editor.board().undoCopy(), undo);
    QCOMPARE(h.state().Mode, EditMode::Placement);
}

QTEST_MAIN(TestSaveProject)
#include "tst_saveproject.moc"
