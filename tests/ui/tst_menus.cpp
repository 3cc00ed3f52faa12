#include "NoPrintServer.h"
#include "TestPictures.h"
#include "WindowHarness.h"
#include "catalogue/TileTable.h"
#include "document/Selection.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

namespace {

// A selection made with its corners at these board points.
void selectBlock(WindowHarness &h, QPoint from, QPoint to)
{
    h.window.BoutSelect->click();
    h.window.controller().pointerMove(Qt::NoButton, from);
    h.window.controller().buttonPress(Qt::LeftButton, from);
    h.window.controller().pointerMove(Qt::LeftButton, to);
    h.window.controller().buttonRelease(Qt::LeftButton, to);
}

} // namespace

// The menu bar: its items, the clipboard, and maps dropped on the window.
class TestMenus : public QObject
{
    Q_OBJECT

    NoPrintServer noPrintServer_;

private slots:
    void menusListEveryCommandWithItsKeys();
    void itemIsEnabledWithItsButtonAndRunsItsCommand_data();
    void itemIsEnabledWithItsButtonAndRunsItsCommand();
    void aboutTellsNameVersionAndAddress();
    void previewShowsTheLandscapePage();
    void copyPutsTheBlockOrElseTheWholeMap_data();
    void copyPutsTheBlockOrElseTheWholeMap();
    void pasteOfAPictureFromElsewhereIsStampedAndUndone_data();
    void pasteOfAPictureFromElsewhereIsStampedAndUndone();
    void dropOpensOneBitmapAndRefusesAnythingElse_data();
    void dropOpensOneBitmapAndRefusesAnythingElse();
};

void TestMenus::menusListEveryCommandWithItsKeys()
{
    WindowHarness h;
    QStringList listed;
    for (QAction *menuAction : h.window.menuBar()->actions()) {
        listed << menuAction->text();
        QMenu *menu = menuAction->menu();
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(menu);
        int item = 0;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator()) {
                ++item;
                continue;
            }
            listed << QStringLiteral("  %1 [%2]")
                          .arg(a->text(), a->shortcut().toString(QKeySequence::PortableText));
            // A screen reader says the item's text, its access key's marker left out.
            QCOMPARE(spoken->child(item++)->text(QAccessible::Name),
                     QString(a->text()).remove(QLatin1Char('&')));
        }
    }
    const QStringList expected = {
        "&Fichier",
        "  &Ouvrir… [Ctrl+O]",
        "  &Enregistrer… [Ctrl+S]",
        "  Exporter en &image… []",
        "  Exporter en P&DF… []",
        "  &Aperçu avant impression… []",
        "  Im&primer [Ctrl+P]",
        "  Éditeur de &texte [Ctrl+E]",
        "  &Quitter [Ctrl+Q]",
        "É&dition",
        "  &Annuler [Ctrl+Z]",
        "  &Rétablir [Ctrl+Y]",
        "  &Copier [Ctrl+C]",
        "  C&oller [Ctrl+V]",
        "  &Sélectionner []",
        "  E&ffacer [Del]",
        "  &Déplacer []",
        "&Aide",
        "  &Aide [F1]",
        "  À &propos de Vantorel Editor []",
    };
    QCOMPARE(listed, expected);
    QVERIFY(!h.control<QAction>("ActionRetablir")->isEnabled());
    QVERIFY(
        h.control<QAction>("ActionEffacer")->shortcuts().contains(QKeySequence(Qt::Key_Backspace)));
    QVERIFY(h.control<QAction>("ActionRetablir")
                ->shortcuts()
                .contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
}

void TestMenus::itemIsEnabledWithItsButtonAndRunsItsCommand_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("selectionMade");
    auto row = [](const char *item, const char *button, bool selectionMade = false) {
        QTest::addRow("%s%s", item, selectionMade ? " with a selection made" : "")
            << QString::fromLatin1(item) << QString::fromLatin1(button) << selectionMade;
    };
    row("ActionOuvrir", "BoutOpen");
    row("ActionEnregistrer", "BoutSAVE");
    row("ActionImprimer", "Command1");
    row("ActionEditeurTexte", "Command3");
    row("ActionQuitter", "Command2");
    row("ActionAnnuler", "Command6");
    row("ActionSelectionner", "BoutSelect");
    row("ActionSelectionner", "BoutSelect", true);
    row("ActionEffacer", "BoutEfface");
    row("ActionEffacer", "BoutEfface", true);
    row("ActionDeplacer", "BoutDeplace");
    row("ActionDeplacer", "BoutDeplace", true);
    row("ActionAide", "Command4");
}

void TestMenus::itemIsEnabledWithItsButtonAndRunsItsCommand()
{
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(bool, selectionMade);
    WindowHarness h;
    QVERIFY(h.showActive());
    if (selectionMade)
        selectBlock(h, {13, 13}, {52, 52});
    auto *pushButton = h.control<QPushButton>(qPrintable(button));
    QAction *menuItem = h.control<QAction>(qPrintable(item));
    QCOMPARE(menuItem->isEnabled(), pushButton->isEnabled());
    const bool enabled = pushButton->isEnabled();
    QSignalSpy clicked(pushButton, &QPushButton::clicked);
    menuItem->trigger();
    QCOMPARE(clicked.size(), enabled ? 1 : 0);
    // The window's own state counts too: disabled under the open dialog.
    h.window.setEnabled(false);
    QVERIFY(!menuItem->isEnabled());
    h.window.setEnabled(true);
    QCOMPARE(menuItem->isEnabled(), pushButton->isEnabled());
}

void TestMenus::aboutTellsNameVersionAndAddress()
{
    WindowHarness h;
    QCoreApplication::setApplicationVersion(QStringLiteral("4.5.6"));
    h.control<QAction>("ActionAPropos")->trigger();
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message &about = h.fake.dialogs.messages.first();
    QCOMPARE(about.title, QStringLiteral("À propos de Vantorel Editor"));
    QCOMPARE(about.text, QStringLiteral("Vantorel Editor\nVersion 4.5.6\nvantorel@example.org"));
}

void TestMenus::previewShowsTheLandscapePage()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    h.control<QAction>("ActionApercu")->trigger();
    auto *preview = h.window.findChild<QPrintPreviewDialog *>();
    QVERIFY(preview);
    QTRY_VERIFY(preview->isVisible());
    QCOMPARE(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    preview->close();
    QTRY_VERIFY(!h.window.findChild<QPrintPreviewDialog *>());
}

void TestMenus::copyPutsTheBlockOrElseTheWholeMap_data()
{
    QTest::addColumn<QRect>("selected"); // empty: no selection
    QTest::addColumn<QRect>("copied");
    QTest::newRow("whole map") << QRect() << Board::area();
    QTest::newRow("selected block")
        << QRect(QPoint(26, 13), QPoint(65, 91)) << QRect(26, 13, 39, 78);
}

void TestMenus::copyPutsTheBlockOrElseTheWholeMap()
{
    QFETCH(QRect, selected);
    QFETCH(QRect, copied);
    WindowHarness h;
    QVERIFY(h.showActive());
    h.editor.openMap(patternedMap());
    if (!selected.isEmpty())
        selectBlock(h, selected.topLeft(), selected.bottomRight());
    QGuiApplication::clipboard()->clear();
    h.control<QAction>("ActionCopier")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             patternedMap().copy(copied).convertToFormat(QImage::Format_RGB32));
}

void TestMenus::pasteOfAPictureFromElsewhereIsStampedAndUndone_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("piece");
    QTest::newRow("small picture") << QSize(30, 20) << QSize(30, 20);
    QTest::newRow("picture larger than the board") << QSize(900, 600) << QSize(773, 546);
}

void TestMenus::pasteOfAPictureFromElsewhereIsStampedAndUndone()
{
    QFETCH(QSize, size);
    QFETCH(QSize, piece);
    WindowHarness h;
    QVERIFY(h.showActive());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("pas une image"));
    QVERIFY(!h.control<QAction>("ActionColler")->isEnabled());

    // As another program puts it there: a picture with a transparent corner.
    QImage picture = noise(size.width(), size.height(), 7).convertToFormat(QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    clipboard->setImage(picture);
    QTRY_VERIFY(h.control<QAction>("ActionColler")->isEnabled());
    selectBlock(h, {13, 13}, {52, 52}); // a selection under way is dropped
    h.type(Qt::Key_V, Qt::ControlModifier);

    QImage expected = picture.copy(QRect(QPoint(), piece)).convertToFormat(QImage::Format_RGB32);
    expected.setPixel(0, 0, qRgb(255, 255, 255));
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.state().CurrentTile, TileTable::MoveBufferIndex);
    QCOMPARE(h.state().TileVariants, 0);
    QCOMPARE(h.editor.catalogue().picture(TileTable::MoveBufferIndex), expected);
    QCOMPARE(h.folder.image(QStringLiteral("tiledeplace.bmp")), expected);

    const QImage before = h.editor.board().map();
    h.window.controller().pointerMove(Qt::NoButton, QPointF(0, 0));
    h.window.controller().buttonPress(Qt::LeftButton, QPointF(0, 0));
    QCOMPARE(h.editor.board().map().copy(QRect(QPoint(), piece)), expected);
    h.type(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.editor.board().map(), before);
}

void TestMenus::dropOpensOneBitmapAndRefusesAnythingElse_data()
{
    QTest::addColumn<QStringList>("files"); // empty: a text is dropped
    QTest::addColumn<bool>("opens");
    QTest::newRow("one bitmap") << QStringList {"Carte d'été.bmp"} << true;
    QTest::newRow("two bitmaps") << QStringList {"a.bmp", "b.bmp"} << false;
    QTest::newRow("a picture of another kind") << QStringList {"plan.png"} << false;
    QTest::newRow("a text") << QStringList {} << false;
}

void TestMenus::dropOpensOneBitmapAndRefusesAnythingElse()
{
    QFETCH(QStringList, files);
    QFETCH(bool, opens);
    WindowHarness h;
    QVERIFY(h.showActive());
    QTemporaryDir elsewhere;
    const QImage map = withFill(solid(773, 546, 0xffffffff), QRect(13, 13, 26, 26), 0xffff0000);
    QList<QUrl> urls;
    for (const QString &file : files) {
        const QString path = elsewhere.filePath(file);
        QVERIFY(map.save(path, file.endsWith(".bmp") ? "BMP" : "PNG"));
        urls << QUrl::fromLocalFile(path);
    }
    QMimeData data;
    if (files.isEmpty())
        data.setText(QStringLiteral("plan.bmp"));
    else
        data.setUrls(urls);
    const QString caption = h.editor.caption();
    const QImage board = h.editor.board().map();

    const QPoint at(500, 300);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window, &enter);
    QCOMPARE(enter.isAccepted(), opens);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window, &drop);
    QCOMPARE(drop.isAccepted(), opens);

    QVERIFY(h.fake.dialogs.messages.isEmpty());
    if (opens) {
        QCOMPARE(h.editor.board().map().convertToFormat(QImage::Format_RGB32),
                 map.convertToFormat(QImage::Format_RGB32));
        QVERIFY(h.editor.caption().endsWith(QDir::toNativeSeparators(urls.first().toLocalFile())));
        QCOMPARE(h.editor.projectName(), QStringLiteral("Carte d'été"));
    } else {
        QCOMPARE(h.editor.caption(), caption);
        QCOMPARE(h.editor.board().map(), board);
    }
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
