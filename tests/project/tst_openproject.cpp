#include "EditorHarness.h"
#include "FakeFolderListing.h"
#include "TestPictures.h"
#include "bitmap/BmpCodec.h"
#include "document/OpenCommand.h"
#include "document/SaveCommand.h"
#include "document/UndoCommand.h"
#include "project/ProjectBrowser.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Stamps a solid block, whatever the catalogue's artwork.
void stampBlock(EditorHarness &h, QPoint at, QRgb colour)
{
    h.pickSolidTile(colour);
    h.stamp(at.x(), at.y());
}

void verifyLoadMessage(const EditorHarness &h)
{
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.text, QStringLiteral("Impossible de charger le fichier sélectionné!"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
    QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
}

// A drive "/home" holding the user's folders, beside the root and a drive
// whose medium is missing.
FakeFolderListing homeListing()
{
    FakeFolderListing listing;
    listing.roots = {"/", "/home", "/media/usb"};
    listing.tree["/"] = {{"home", "media"}, {}};
    listing.tree["/home"] = {{"ana"}, {"top.bmp"}};
    listing.tree["/home/ana"] = {{"cartes"}, {}};
    listing.tree["/home/ana/cartes"] = {{"anciennes", "été"},
                                        {"donjon.bmp", "Crypte.BMP", "tour.Bmp", "notes.txt", "bmp",
                                         "plan.bmp.txt", "deux.points.bmp"}};
    listing.tree["/home/ana/cartes/anciennes"] = {{}, {"vieille.bmp"}};
    listing.tree["/home/ana/cartes/été"] = {{}, {}};
    listing.tree["/media/usb"] = {{}, {"clef.bmp"}};
    listing.unreadable = {"/media/usb"};
    return listing;
}

} // namespace

class TestOpenProject : public QObject
{
    Q_OBJECT

private slots:
    void opensProgramFolderFileAsCommittedBoard();
    void pickedFileInAnotherFolderOpenedTheProgramFolderNamesake();
    void onlyPartBeforeFirstDotCounts_data();
    void onlyPartBeforeFirstDotCounts();
    void unreadableBitmapsGiveLoadMessage_data();
    void unreadableBitmapsGiveLoadMessage();
    void otherSizeOpensUnscaledWhiteBeyond();
    void tiledeplaceOpensWithItsLongNameAndNextSaveRefusesIt();
    void undoRightAfterAnOpenBroughtBackThePreviousBoard();
    void saveRightAfterOpenInSelectionModeOverwroteOpenedProject();
    void emptyNameBoxIsTold();

    void browserStartsAtTheFolderGiven();
    void browserOpensSubfoldersAndAncestors();
    void browserNameBoxFollowsSelectionAndKeepsText();
    void browserStaysWhereItWasOnUnreadableDriveOrFolder();
    void browserReturnsToLastFolderOfADrive();
};

void TestOpenProject::opensProgramFolderFileAsCommittedBoard()
{
    EditorHarness h;
    const QImage map = solid(773, 546, qRgb(10, 120, 200));
    writeBitmap(h.folder.file("donjon.bmp"), map);
    QVERIFY(OpenCommand(h.editor).open("donjon.bmp"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
    QCOMPARE(h.editor.board().map(), map);
    QCOMPARE(h.editor.caption(), h.captionFor("donjon.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("donjon"));
    h.board.activate();
    QCOMPARE(h.editor.board().displayed().copy(40, 0, 700, 500), map.copy(40, 0, 700, 500));
}

// The map read was the program folder's file of the picked name, another
// map, or the load message when the program folder had none.
void TestOpenProject::pickedFileInAnotherFolderOpenedTheProgramFolderNamesake()
{
    EditorHarness h;
    ProgramFolderFixture elsewhere(false);
    const QImage theirs = solid(773, 546, qRgb(255, 0, 0));
    writeBitmap(elsewhere.file("Donjon.bmp"), theirs);
    writeBitmap(elsewhere.file("ailleurs.bmp"), solid(773, 546, qRgb(0, 255, 0)));
    writeBitmap(h.folder.file("donjon.bmp"), solid(773, 546, qRgb(0, 0, 255)));

    QVERIFY(OpenCommand(h.editor).open(elsewhere.path(), "Donjon.v2.bmp"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
    QCOMPARE(h.editor.board().map(), theirs);
    QCOMPARE(h.editor.caption(),
             Editor::CaptionPrefix + QDir::toNativeSeparators(elsewhere.file("Donjon.bmp")));
    QCOMPARE(h.editor.projectName(), QStringLiteral("Donjon"));
    QVERIFY(!h.editor.projectInProgramFolder());
    QCOMPARE(h.editor.projectFile(".doc"), elsewhere.file("Donjon.doc"));

    QVERIFY(OpenCommand(h.editor).open(elsewhere.path(), "ailleurs.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("ailleurs"));

    // No such file in the folder shown: the load message, and nothing changes.
    const QString caption = h.editor.caption();
    QVERIFY(!OpenCommand(h.editor).open(elsewhere.path(), "absent.bmp"));
    verifyLoadMessage(h);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("ailleurs"));

    // Back in the program folder, through a link to it or not.
    const QString link = elsewhere.file("programme");
    QVERIFY(QFile::link(h.folder.path(), link));
    QVERIFY(OpenCommand(h.editor).open(link, "donjon.bmp"));
    QVERIFY(h.editor.projectInProgramFolder());
    QCOMPARE(h.editor.caption(), h.captionFor("donjon.bmp"));
}

void TestOpenProject::onlyPartBeforeFirstDotCounts_data()
{
    QTest::addColumn<QString>("chosen"); // "@" stands for the program folder
    QTest::addColumn<QString>("read"); // from the program folder; empty when nothing opens
    QTest::addColumn<QString>("project");

    const auto row
        = [](const char *tag, const char *chosen, const char *read, const char *project) {
              QTest::newRow(tag) << QString::fromUtf8(chosen) << QString::fromUtf8(read)
                                 << QString::fromUtf8(project);
          };
    row("plain", "donjon.bmp", "donjon.bmp", "donjon");
    row("further dot", "donjon.ancien.bmp", "donjon.bmp", "donjon");
    row("further dot, no such project", "crypte.ancien.bmp", "", "");
    row("blanks around the base", " donjon .v2.bmp", "donjon.bmp", "donjon");
    row("other letter case", "DONJON.BMP", "donjon.bmp", "DONJON");
    row("typed without extension", "donjon", "donjon.bmp", "donjon");
    row("nothing before the dot", ".bmp", "", "");
    // A path typed opens its file; the rule cuts the file's own name only.
    row("typed into a subfolder", "sous/donjon.v2.bmp", "sous/donjon.bmp", "donjon");
    row("typed into a hidden folder", ".cachée/donjon.bmp", ".cachée/donjon.bmp", "donjon");
    row("typed as an absolute path", "@/.cachée/donjon.v2.bmp", ".cachée/donjon.bmp", "donjon");
    row("typed up and back", "../@/sous/donjon.bmp", "sous/donjon.bmp", "donjon");
}

void TestOpenProject::onlyPartBeforeFirstDotCounts()
{
    QFETCH(QString, chosen);
    QFETCH(QString, read);
    QFETCH(QString, project);
    EditorHarness h;
    const QImage map = solid(773, 546, qRgb(90, 60, 30));
    writeBitmap(h.folder.file("donjon.bmp"), map);
    for (const QString sub : {"sous", ".cachée"}) {
        QVERIFY(QDir(h.folder.path()).mkdir(sub));
        writeBitmap(h.folder.file(sub + "/donjon.bmp"), map);
    }
    const QString folderName = QFileInfo(h.folder.path()).fileName();
    chosen.replace("../@", "../" + folderName).replace("@", h.folder.path());

    QCOMPARE(OpenCommand(h.editor).open(h.folder.path(), chosen), !read.isEmpty());
    if (read.isEmpty()) {
        verifyLoadMessage(h);
        QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
        QCOMPARE(h.editor.board().map(), BoardModel::whiteBoard());
        return;
    }
    QCOMPARE(h.editor.projectName(), project);
    QCOMPARE(h.editor.caption(), h.captionFor(read));
    QCOMPARE(h.editor.board().map(), map);
}

void TestOpenProject::unreadableBitmapsGiveLoadMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good = BmpCodec::encode(solid(773, 546, qRgb(1, 2, 3)));
    QTest::newRow("cut short") << good.left(good.size() / 2);
    QTest::newRow("no picture") << QByteArray("scenario text, not a map");
    QByteArray huge = BmpCodec::encode(solid(1, 1, 0));
    qToLittleEndian<qint32>(20000, huge.data() + 18);
    qToLittleEndian<qint32>(20000, huge.data() + 22);
    QTest::newRow("beyond the allocation limit") << huge;
}

void TestOpenProject::unreadableBitmapsGiveLoadMessage()
{
    QFETCH(QByteArray, bytes);
    EditorHarness h;
    stampBlock(h, {0, 0}, qRgb(7, 7, 7));
    const QImage before = h.editor.board().map();
    h.folder.write("abime.bmp", bytes);
    QVERIFY(!OpenCommand(h.editor).open("abime.bmp"));
    verifyLoadMessage(h);
    QCOMPARE(h.editor.board().map(), before);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

void TestOpenProject::otherSizeOpensUnscaledWhiteBeyond()
{
    EditorHarness h;
    writeBitmap(h.folder.file("petit.bmp"), solid(100, 50, qRgb(200, 0, 0)));
    QVERIFY(OpenCommand(h.editor).open("petit.bmp"));
    const QImage board = h.editor.board().map();
    QCOMPARE(board.size(), QSize(773, 546));
    QCOMPARE(board.pixel(99, 49), qRgb(200, 0, 0));
    QCOMPARE(board.pixel(100, 49), qRgb(255, 255, 255));
    QCOMPARE(board.pixel(99, 50), qRgb(255, 255, 255));

    QImage large = solid(1000, 700, qRgb(0, 0, 0));
    large.setPixel(772, 545, qRgb(0, 200, 0));
    writeBitmap(h.folder.file("grand.bmp"), large);
    QVERIFY(OpenCommand(h.editor).open("grand.bmp"));
    QCOMPARE(h.editor.board().map().size(), QSize(773, 546));
    QCOMPARE(h.editor.board().map().pixel(772, 545), qRgb(0, 200, 0));
}

void TestOpenProject::tiledeplaceOpensWithItsLongNameAndNextSaveRefusesIt()
{
    EditorHarness h;
    writeBitmap(h.folder.file("tiledeplace.bmp"), solid(26, 13, qRgb(5, 5, 5)));
    QVERIFY(OpenCommand(h.editor).open("tiledeplace.bmp"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("tiledeplace"));

    QCOMPARE(h.save("tiledeplace"), SaveCommand::Result::TooLong);
    QCOMPARE(h.fake.dialogs.prompts.last().defaultText, QStringLiteral("tiledeplace"));
    QCOMPARE(h.editor.projectName(), QStringLiteral("tiledeplace"));
}

// Undo right after an open brought back the previous project's board under
// the opened project's name, and the next save wrote it over that project.
void TestOpenProject::undoRightAfterAnOpenBroughtBackThePreviousBoard()
{
    EditorHarness h;
    stampBlock(h, {0, 0}, qRgb(50, 0, 0));
    stampBlock(h, {100, 100}, qRgb(0, 50, 0));
    const QByteArray demo = h.folder.read("demo.bmp");
    const QImage opened = solid(773, 546, qRgb(0, 0, 50));
    writeBitmap(h.folder.file("autre.bmp"), opened);
    h.state().Mode = EditMode::SelectionMade;

    QVERIFY(OpenCommand(h.editor).open("autre.bmp"));
    QCOMPARE(h.folder.read("demo.bmp"), demo);
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);

    h.state().Mode = EditMode::Placement;
    UndoCommand(h.editor).press();
    QCOMPARE(h.editor.board().map(), opened);
    QCOMPARE(h.save("autre"), SaveCommand::Result::Saved);
    QCOMPARE(h.folder.image("autre.bmp"), opened);
}

void TestOpenProject::saveRightAfterOpenInSelectionModeOverwroteOpenedProject()
{
    EditorHarness h;
    stampBlock(h, {0, 0}, qRgb(70, 70, 0));
    const QImage opened = solid(773, 546, qRgb(0, 70, 70));
    writeBitmap(h.folder.file("projet.bmp"), opened);
    // In selection mode no pointer move resets the board picture.
    h.state().Mode = EditMode::SelectionMade;
    QVERIFY(OpenCommand(h.editor).open("projet.bmp"));
    h.board.activate();

    QCOMPARE(h.save("projet"), SaveCommand::Result::Saved);
    QCOMPARE(h.fake.dialogs.prompts.last().defaultText, QStringLiteral("projet"));
    QCOMPARE(h.folder.image("projet.bmp"), opened);
}

void TestOpenProject::emptyNameBoxIsTold()
{
    EditorHarness h;
    QVERIFY(!OpenCommand(h.editor).confirm(QString()));
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message box = h.fake.dialogs.messages.first();
    QCOMPARE(box.text, QStringLiteral("Vous devez sélectionnez un fichier"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.icon, Dialogs::Icon::None);
    QVERIFY(OpenCommand(h.editor).confirm(QStringLiteral(" ")));
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
}

void TestOpenProject::browserStartsAtTheFolderGiven()
{
    FakeFolderListing listing = homeListing();
    ScriptedDialogs dialogs;
    ProjectBrowser browser(listing, dialogs);
    browser.start("/home/ana/cartes");
    QCOMPARE(browser.folder(), QStringLiteral("/home/ana/cartes"));
    QCOMPARE(browser.drives().at(browser.driveIndex()), QStringLiteral("/home"));
    QStringList names;
    for (const ProjectBrowser::FolderRow &row : browser.folderRows())
        names << QStringLiteral("%1:%2").arg(row.depth).arg(row.name);
    QCOMPARE(names, QStringList({"0:/home", "1:ana", "2:cartes", "3:anciennes", "3:été"}));
    QCOMPARE(browser.currentFolderRow(), 2);
    QCOMPARE(browser.files(),
             QStringList({"donjon.bmp", "Crypte.BMP", "tour.Bmp", "deux.points.bmp"}));
    QCOMPARE(browser.fileIndex(), -1);
    QVERIFY(browser.nameText().isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
}

void TestOpenProject::browserOpensSubfoldersAndAncestors()
{
    FakeFolderListing listing = homeListing();
    ScriptedDialogs dialogs;
    ProjectBrowser browser(listing, dialogs);
    browser.start("/home/ana/cartes");
    QVERIFY(browser.openFolderRow(3));
    QCOMPARE(browser.folder(), QStringLiteral("/home/ana/cartes/anciennes"));
    QCOMPARE(browser.files(), QStringList {"vieille.bmp"});
    QVERIFY(browser.openFolderRow(0));
    QCOMPARE(browser.folder(), QStringLiteral("/home"));
    QCOMPARE(browser.folderRows().size(), 2);
    QCOMPARE(browser.files(), QStringList {"top.bmp"});
    QVERIFY(browser.chooseDrive(0));
    QCOMPARE(browser.folder(), QStringLiteral("/"));
    QCOMPARE(browser.folderRows().at(1).path, QStringLiteral("/home"));
}

void TestOpenProject::browserNameBoxFollowsSelectionAndKeepsText()
{
    FakeFolderListing listing = homeListing();
    ScriptedDialogs dialogs;
    ProjectBrowser browser(listing, dialogs);
    browser.start("/home/ana/cartes");
    browser.selectFile(1);
    QCOMPARE(browser.nameText(), QStringLiteral("Crypte.BMP"));
    QCOMPARE(browser.chosenFileName(), QStringLiteral("Crypte.BMP"));

    // Another folder: no selection, the name box keeps its text, which is
    // then the file name.
    QVERIFY(browser.openFolderRow(3));
    QCOMPARE(browser.fileIndex(), -1);
    QCOMPARE(browser.nameText(), QStringLiteral("Crypte.BMP"));
    QCOMPARE(browser.chosenFileName(), QStringLiteral("Crypte.BMP"));

    browser.selectFile(0);
    browser.editName(QStringLiteral("tapé"));
    QCOMPARE(browser.fileIndex(), -1);
    QCOMPARE(browser.chosenFileName(), QStringLiteral("tapé"));

    // A name typed selects the entry of that name, letter case aside.
    QVERIFY(browser.openFolderRow(2));
    browser.selectFile(0);
    browser.editName(QStringLiteral("TOUR.BMP"));
    QCOMPARE(browser.fileIndex(), 2);
    QCOMPARE(browser.chosenFileName(), QStringLiteral("TOUR.BMP"));
    browser.editName(QStringLiteral("TOUR.BM"));
    QCOMPARE(browser.fileIndex(), -1);
    // A folder that holds the name typed selects it too.
    browser.editName(QStringLiteral("VIEILLE.bmp"));
    QVERIFY(browser.openFolderRow(3));
    QCOMPARE(browser.fileIndex(), 0);
}

void TestOpenProject::browserStaysWhereItWasOnUnreadableDriveOrFolder()
{
    FakeFolderListing listing = homeListing();
    listing.unreadable.insert("/home/ana/cartes/été");
    ScriptedDialogs dialogs;
    ProjectBrowser browser(listing, dialogs);
    browser.start("/home/ana/cartes");
    browser.selectFile(0);
    const QList<ProjectBrowser::FolderRow> rows = browser.folderRows();

    QVERIFY(!browser.chooseDrive(2));
    QVERIFY(!browser.openFolderRow(4));
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(dialogs.messages.at(0).text.startsWith(QStringLiteral("Le lecteur « /media/usb » "
                                                                  "ne peut pas être lu")));
    QVERIFY(dialogs.messages.at(1).text.contains(QStringLiteral("« /home/ana/cartes/été »")));
    for (const Dialogs::Message &box : std::as_const(dialogs.messages))
        QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(browser.drives().at(browser.driveIndex()), QStringLiteral("/home"));
    QCOMPARE(browser.folder(), QStringLiteral("/home/ana/cartes"));
    QCOMPARE(browser.folderRows(), rows);
    QCOMPARE(browser.fileIndex(), 0);
}

void TestOpenProject::browserReturnsToLastFolderOfADrive()
{
    FakeFolderListing listing = homeListing();
    ScriptedDialogs dialogs;
    ProjectBrowser browser(listing, dialogs);
    browser.start("/home/ana/cartes");
    QVERIFY(browser.openFolderRow(3));
    QVERIFY(browser.chooseDrive(0));
    QCOMPARE(browser.folder(), QStringLiteral("/"));
    QVERIFY(browser.chooseDrive(1));
    QCOMPARE(browser.folder(), QStringLiteral("/home/ana/cartes/anciennes"));
}

QTEST_MAIN(TestOpenProject)
#include "tst_openproject.moc"
