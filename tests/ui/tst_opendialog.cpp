#include "TestPictures.h"
#include "WindowHarness.h"
#include "bitmap/BmpCodec.h"
#include "document/BoardController.h"
#include "project/ProjectBrowser.h"
#include "ui/BoardCanvas.h"
#include "ui/Form1.h"
#include "ui/Form_Fichier.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

// The open dialog through its real widgets, on the offscreen platform: the
// main window's OPEN button, clicks, keys and the window manager's close.

namespace {

QImage board(QRgb colour) { return solid(773, 546, colour); }

// The main window over a started editor, started from another folder than
// the program folder.
struct Window : WindowHarness {
    ProgramFolderFixture elsewhere {false};
    QString previousCurrent = QDir::currentPath();

    Window()
    {
        QDir(elsewhere.path()).mkdir("sous");
        writeBitmap(elsewhere.file("donjon.bmp"), board(qRgb(255, 0, 0)));
        writeBitmap(elsewhere.file("sous/crypte.bmp"), board(qRgb(255, 0, 0)));
        QDir::setCurrent(elsewhere.path());
        window.show();
    }
    ~Window() { QDir::setCurrent(previousCurrent); }

    Form_Fichier *open()
    {
        QTest::mouseClick(window.BoutOpen, Qt::LeftButton);
        return window.openDialog();
    }
    // Opens the dialog and goes, as the user does, from the program folder
    // it shows up to the temporary folder and down into the other folder.
    Form_Fichier *openElsewhere()
    {
        Form_Fichier *dialog = open();
        const QFileInfo other(elsewhere.path());
        enter(dialog, QFileInfo(other.path()).fileName());
        enter(dialog, other.fileName());
        return dialog;
    }
    static void enter(Form_Fichier *dialog, const QString &folder)
    {
        QTreeWidget *dirs = dialog->Dir1;
        for (QTreeWidgetItemIterator it(dirs); *it; ++it)
            if ((*it)->text(0) == folder) {
                dirs->scrollToItem(*it);
                const QPoint at = dirs->visualItemRect(*it).center();
                QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        qFatal("the directory list shows no folder %s", qPrintable(folder));
    }
    bool dialogGone() { return !window.openDialog() || !window.openDialog()->isVisible(); }
};

} // namespace

class TestOpenDialog : public QObject
{
    Q_OBJECT

private slots:
    void laidOutAsTabled_data();
    void laidOutAsTabled();
    void dialogWindowAndFocus();
    void mainWindowDisabledWhileDialogExists();
    void escapeDoesNothingAndEnterPressesFocusedButton();
    void windowManagerCloseGivesMainWindowBack();
    void typedPathOpensThatFile_data();
    void typedPathOpensThatFile();
    void clickedFileOpensFromTheFolderShown();
    void typedNameKeptTheClickedEntryHighlighted();
    void doubleClickedFolderListsItsBitmaps();
    void doubleClickOrEnterOnAFileOpensIt_data();
    void doubleClickOrEnterOnAFileOpensIt();
    void controlsHaveFrenchAccessibleNames();
    void ouvrirWithEmptyNameBoxKeepsDialog();
    void saveButtonSavesUnderTypedName();
};

void TestOpenDialog::laidOutAsTabled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");

    QTest::newRow("Command1") << "Command1" << QRect(345, 106, 76, 23) << 8.25 << false;
    QTest::newRow("Text1") << "Text1" << QRect(187, 41, 127, 24) << 9.75 << false;
    QTest::newRow("bout_open") << "bout_open" << QRect(343, 42, 76, 52) << 9.75 << true;
    QTest::newRow("Drive1") << "Drive1" << QRect(19, 40, 157, 21) << 8.25 << false;
    QTest::newRow("Dir1") << "Dir1" << QRect(16, 82, 163, 92) << 8.25 << false;
    QTest::newRow("File1") << "File1" << QRect(187, 82, 126, 102) << 9.75 << false;
}

void TestOpenDialog::laidOutAsTabled()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(double, points);
    QFETCH(bool, bold);
    Window w;
    Form_Fichier *dialog = w.open();
    QVERIFY(dialog);
    auto *control = dialog->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rect);
    QCOMPARE(control->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
}

void TestOpenDialog::dialogWindowAndFocus()
{
    Window w;
    writeBitmap(w.folder.file("sauvé.bmp"), board(qRgb(0, 0, 200)));
    Form_Fichier *dialog = w.open();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Chargement d'un projet"));
    QCOMPARE(dialog->size(), QSize(435, 209));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(128, 128, 255));
    QCOMPARE(dialog->geometry().center(), w.window.geometry().center());
    QCOMPARE(dialog->Command1->text(), QStringLiteral("&Annuler"));
    QCOMPARE(dialog->bout_open->text(), QStringLiteral("&Ouvrir"));

    QCOMPARE(dialog->focusWidget(), dialog->Command1);
    const QList<QWidget *> order = {dialog->Command1, dialog->Text1, dialog->bout_open,
                                    dialog->Drive1,   dialog->Dir1,  dialog->File1};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }

    // It starts in the program folder, where SAVE writes, not in the folder
    // the editor was started from: a project just saved could not be found.
    QCOMPARE(dialog->browser().folder(), w.folder.path());
    QCOMPARE(dialog->File1->count(), 1);
    QCOMPARE(dialog->File1->item(0)->text(), QStringLiteral("sauvé.bmp"));
    QVERIFY(dialog->Text1->text().isEmpty());
}

void TestOpenDialog::mainWindowDisabledWhileDialogExists()
{
    Window w;
    Form_Fichier *dialog = w.open();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!w.window.isEnabled());
    QVERIFY(dialog->isEnabled());
    // A second press cannot reach the disabled window; nor does it stack dialogs.
    w.window.showOpenDialog();
    QCOMPARE(w.window.openDialog(), dialog);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(w.dialogGone());
    QVERIFY(w.window.isEnabled());
    QVERIFY(QTest::qWaitFor([&] { return w.window.openDialog() == nullptr; }));
}

void TestOpenDialog::escapeDoesNothingAndEnterPressesFocusedButton()
{
    Window w;
    const QString caption = w.editor.caption();
    const auto files = w.folder.snapshot();
    Form_Fichier *dialog = w.openElsewhere();
    dialog->File1->setCurrentRow(0);
    QCOMPARE(dialog->Text1->text(), QStringLiteral("donjon.bmp"));

    QTest::keyClick(dialog->Command1, Qt::Key_Escape);
    QTest::keyClick(dialog->File1, Qt::Key_Escape);
    QTest::keyClick(dialog->Text1, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QVERIFY(!w.window.isEnabled());

    // Enter on the focused "&Annuler" cancels: nothing opened.
    QTest::keyClick(dialog->Command1, Qt::Key_Return);
    QVERIFY(w.dialogGone());
    QVERIFY(w.window.isEnabled());
    QCOMPARE(w.editor.caption(), caption);
    QCOMPARE(w.editor.projectName(), QStringLiteral("New"));
    QVERIFY(w.fake.dialogs.messages.isEmpty());
    QCOMPARE(w.folder.snapshot(), files);
}

void TestOpenDialog::windowManagerCloseGivesMainWindowBack()
{
    Window w;
    w.window.controller().pointerMove(Qt::NoButton, QPointF(300, 200));
    const auto files = w.folder.snapshot();
    Form_Fichier *dialog = w.open();
    QVERIFY(dialog->close());
    QVERIFY(w.dialogGone());
    QVERIFY(w.window.isEnabled());
    QCOMPARE(w.editor.projectName(), QStringLiteral("New"));
    QCOMPARE(w.folder.snapshot(), files);
    // The main window is active again: the preview replays at the corner.
    QCOMPARE(QPoint(w.state().TileX, w.state().TileY), QPoint(0, 0));
    // A fresh dialog opens next time.
    QVERIFY(QTest::qWaitFor([&] { return w.window.openDialog() == nullptr; }));
    QVERIFY(w.open());
}

void TestOpenDialog::typedPathOpensThatFile_data()
{
    QTest::addColumn<bool>("absolute"); // else relative to the folder shown
    QTest::newRow("absolute") << true;
    QTest::newRow("relative") << false;
}

// A path into a hidden folder, typed in the name box: the first dot of
// ".cartes" cut it to nothing.
void TestOpenDialog::typedPathOpensThatFile()
{
    QFETCH(bool, absolute);
    Window w;
    const QImage map = board(qRgb(0, 90, 90));
    QVERIFY(QDir(w.elsewhere.path()).mkdir(".cartes"));
    writeBitmap(w.elsewhere.file(".cartes/plan.bmp"), map);
    const QString typed
        = absolute ? w.elsewhere.file(".cartes/plan.v2.bmp")
                   : "../" + QFileInfo(w.elsewhere.path()).fileName() + "/.cartes/plan.v2.bmp";
    Form_Fichier *dialog = w.open();
    QTest::keyClicks(dialog->Text1, typed);
    QTest::mouseClick(dialog->bout_open, Qt::LeftButton);
    QVERIFY(w.dialogGone());
    QVERIFY(w.fake.dialogs.messages.isEmpty());
    QCOMPARE(w.editor.board().map(), map);
    QCOMPARE(w.editor.projectName(), QStringLiteral("plan"));
    QCOMPARE(w.window.windowTitle().remove(QStringLiteral("[*]")),
             Editor::CaptionPrefix
                 + QDir::toNativeSeparators(w.elsewhere.file(".cartes/plan.bmp")));
}

void TestOpenDialog::clickedFileOpensFromTheFolderShown()
{
    Window w;
    writeBitmap(w.folder.file("DONJON.BMP"), board(qRgb(0, 0, 200)));
    Form_Fichier *dialog = w.openElsewhere();
    QListWidget *files = dialog->File1;
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    QCOMPARE(dialog->Text1->text(), QStringLiteral("donjon.bmp"));

    dialog->bout_open->setFocus();
    QTest::keyClick(dialog->bout_open, Qt::Key_Return);
    QVERIFY(w.dialogGone());
    QVERIFY(w.window.isEnabled());
    const QImage theirs = board(qRgb(255, 0, 0));
    QCOMPARE(w.editor.board().map(), theirs);
    QCOMPARE(w.editor.projectName(), QStringLiteral("donjon"));
    QCOMPARE(w.window.windowTitle().remove(QStringLiteral("[*]")),
             Editor::CaptionPrefix + QDir::toNativeSeparators(w.elsewhere.file("donjon.bmp")));
    // The main window's activation replayed the preview over the opened map.
    QCOMPARE(w.editor.board().map(), theirs);
    QVERIFY(w.fake.dialogs.messages.isEmpty());
}

// Typing a name left the list highlighting the entry clicked before.
void TestOpenDialog::typedNameKeptTheClickedEntryHighlighted()
{
    Window w;
    const QImage tour = board(qRgb(0, 160, 0));
    writeBitmap(w.elsewhere.file("tour.bmp"), tour);
    Form_Fichier *dialog = w.openElsewhere();
    QListWidget *files = dialog->File1;
    QCOMPARE(files->count(), 2);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    QCOMPARE(files->selectedItems(), QList<QListWidgetItem *> {files->item(0)});

    dialog->Text1->selectAll();
    QTest::keyClicks(dialog->Text1, QStringLiteral("TOUR.BMP"));
    QCOMPARE(files->selectedItems(), QList<QListWidgetItem *> {files->item(1)});
    QTest::keyClick(dialog->Text1, Qt::Key_Backspace);
    QVERIFY(files->selectedItems().isEmpty());
    QTest::keyClicks(dialog->Text1, QStringLiteral("P"));
    QTest::mouseClick(dialog->bout_open, Qt::LeftButton);
    QVERIFY(w.dialogGone());
    QCOMPARE(w.editor.board().map(), tour);
    QCOMPARE(w.editor.projectName(), QStringLiteral("TOUR"));
}

void TestOpenDialog::doubleClickedFolderListsItsBitmaps()
{
    Window w;
    Form_Fichier *dialog = w.openElsewhere();
    QTreeWidget *dirs = dialog->Dir1;
    QTreeWidgetItem *sub = nullptr;
    for (QTreeWidgetItemIterator it(dirs); *it; ++it)
        if ((*it)->text(0) == QStringLiteral("sous"))
            sub = *it;
    QVERIFY(sub);
    const QPoint at = dirs->visualItemRect(sub).center();
    // A real double-click: a click, then the second press.
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(dialog->File1->item(0)->text(), QStringLiteral("donjon.bmp"));
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(dialog->File1->count(), 1);
    QCOMPARE(dialog->File1->item(0)->text(), QStringLiteral("crypte.bmp"));
    QCOMPARE(dirs->currentItem()->text(0), QStringLiteral("sous"));

    dialog->File1->setCurrentRow(0);
    QTest::mouseClick(dialog->bout_open, Qt::LeftButton);
    QVERIFY(w.dialogGone());
    QVERIFY(w.fake.dialogs.messages.isEmpty());
    QCOMPARE(w.editor.projectName(), QStringLiteral("crypte"));
    QCOMPARE(w.editor.projectFolder(), QDir::cleanPath(w.elsewhere.file("sous")));
    QVERIFY(w.window.isEnabled());
}

void TestOpenDialog::doubleClickOrEnterOnAFileOpensIt_data()
{
    QTest::addColumn<bool>("doubleClick"); // else Enter on the list
    QTest::newRow("double-click") << true;
    QTest::newRow("Enter") << false;
}

void TestOpenDialog::doubleClickOrEnterOnAFileOpensIt()
{
    QFETCH(bool, doubleClick);
    Window w;
    const QImage map = board(qRgb(0, 120, 0));
    writeBitmap(w.elsewhere.file("donjon.bmp"), map);
    Form_Fichier *dialog = w.openElsewhere();
    QListWidget *files = dialog->File1;
    const QPoint at = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!w.dialogGone());
    if (doubleClick) {
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    } else {
        files->setFocus();
        QTest::keyClick(files, Qt::Key_Return);
    }
    QVERIFY(w.dialogGone());
    QCOMPARE(w.editor.board().map(), map);
    QCOMPARE(w.editor.projectName(), QStringLiteral("donjon"));
    QVERIFY(w.fake.dialogs.messages.isEmpty());
}

void TestOpenDialog::controlsHaveFrenchAccessibleNames()
{
    Window w;
    Form_Fichier *dialog = w.open();
    const QList<std::pair<QWidget *, QString>> names = {
        {dialog, QStringLiteral("Chargement d'un projet")},
        {dialog->Command1, QStringLiteral("Annuler")},
        {dialog->bout_open, QStringLiteral("Ouvrir")},
        {dialog->Text1, QStringLiteral("Nom du fichier")},
        {dialog->Dir1, QStringLiteral("Dossiers")},
        {dialog->File1, QStringLiteral("Plans du dossier")},
    };
    for (const auto &[control, name] : names)
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name);
    // A drop-down list is named by its entry; its description says what it is.
    QCOMPARE(QAccessible::queryAccessibleInterface(dialog->Drive1)->text(QAccessible::Description),
             QStringLiteral("Lecteur"));
}

void TestOpenDialog::ouvrirWithEmptyNameBoxKeepsDialog()
{
    Window w;
    Form_Fichier *dialog = w.open();
    QTest::mouseClick(dialog->bout_open, Qt::LeftButton);
    QCOMPARE(w.fake.dialogs.messages.size(), 1);
    QCOMPARE(w.fake.dialogs.messages.first().text,
             QStringLiteral("Vous devez sélectionnez un fichier"));
    QVERIFY(dialog->isVisible());
    QVERIFY(!w.window.isEnabled());

    // A name typed with nothing selected is the file name.
    writeBitmap(w.folder.file("tape.bmp"), board(qRgb(9, 9, 9)));
    QTest::keyClicks(dialog->Text1, QStringLiteral("tape.x"));
    QTest::mouseClick(dialog->bout_open, Qt::LeftButton);
    QVERIFY(w.dialogGone());
    QCOMPARE(w.editor.projectName(), QStringLiteral("tape"));
}

void TestOpenDialog::saveButtonSavesUnderTypedName()
{
    Window w;
    w.fake.dialogs.promptAnswers.enqueue(QStringLiteral("carte"));
    QTest::mouseClick(w.window.BoutSAVE, Qt::LeftButton);
    QVERIFY(w.folder.exists("carte.bmp"));
    QVERIFY(w.window.windowTitle()
                .remove(QStringLiteral("[*]"))
                .endsWith(QDir::toNativeSeparators("/carte.bmp")));
}

QTEST_MAIN(TestOpenDialog)
#include "tst_opendialog.moc"
