#include "ProgramFolderFixture.h"
#include "WindowHarness.h"
#include "document/BoardController.h"
#include "document/ExitCommand.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace {

enum class Way { ExitButton, WindowManager };

// Asks to leave as the user does: "&EXIT", or the window manager's close
// (title-bar button, Alt+F4, logout). True when the window closed, and
// with it the editor, whose event loop it ends.
bool leave(WindowHarness &w, Way way)
{
    w.window.show();
    if (!QTest::qWaitForWindowExposed(&w.window))
        qFatal("the main window is not shown");
    if (way == Way::ExitButton) {
        QTest::mouseClick(w.window.Command2, Qt::LeftButton);
        return w.window.isHidden();
    }
    return w.window.windowHandle()->close();
}

} // namespace

class TestExit : public QObject
{
    Q_OBJECT

private slots:
    void noChangesNothing_data();
    void noChangesNothing();
    void yesEndsWithStatusZeroAndSavesNothing_data();
    void yesEndsWithStatusZeroAndSavesNothing();
    void confirmedExitEndsTheRealProcess();
};

void TestExit::noChangesNothing_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("EXIT button") << Way::ExitButton;
    // The window manager's close used to end the editor without a question.
    QTest::newRow("window manager's close") << Way::WindowManager;
}

void TestExit::noChangesNothing()
{
    QFETCH(Way, way);
    WindowHarness w;
    // A selection made, a tile picked and a stamp on the board.
    w.editor.state().CurrentTile = 5;
    w.window.controller().pointerMove(Qt::NoButton, QPointF(40, 40));
    w.window.controller().buttonPress(Qt::LeftButton, QPointF(40, 40));
    w.editor.state().Mode = EditMode::SelectionArmed;
    w.window.controller().pointerMove(Qt::NoButton, QPointF(100, 100));
    w.window.controller().buttonPress(Qt::LeftButton, QPointF(100, 100));
    w.window.controller().pointerMove(Qt::LeftButton, QPointF(200, 150));
    w.window.controller().buttonRelease(Qt::LeftButton, QPointF(200, 150));
    QCOMPARE(w.editor.state().Mode, EditMode::SelectionMade);
    // A map not saved has a question of its own.
    w.editor.setMapSaved(true);
    const EditorState before = w.editor.state();
    const QImage displayed = w.editor.board().displayed().copy();
    const QImage committed = w.editor.board().map();
    const auto files = w.folder.snapshot();

    w.fake.dialogs.answers.enqueue(Dialogs::Answer::No);
    QVERIFY(!leave(w, way));

    QCOMPARE(w.fake.dialogs.messages.size(), 1);
    const Dialogs::Message asked = w.fake.dialogs.messages.first();
    QCOMPARE(asked.text, QStringLiteral("Etes vous sur de vouloir quitter Vantorel Editor ?"));
    QCOMPARE(asked.title, QStringLiteral("Quitter Vantorel Editor"));
    QCOMPARE(asked.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(asked.defaultButton, Dialogs::Answer::Yes);
    QCOMPARE(asked.icon, Dialogs::Icon::None);
    QVERIFY(!w.window.isHidden());

    const EditorState &after = w.editor.state();
    QCOMPARE(after.Mode, before.Mode);
    QCOMPARE(after.CurrentTile, before.CurrentTile);
    QCOMPARE(QRect(QPoint(after.SelX1, after.SelY1), QPoint(after.SelX2, after.SelY2)),
             QRect(QPoint(before.SelX1, before.SelY1), QPoint(before.SelX2, before.SelY2)));
    QCOMPARE(w.editor.board().displayed(), displayed);
    QCOMPARE(w.editor.board().map(), committed);
    QCOMPARE(w.editor.tools(), (Editor::ToolButtons {true, true, true}));
    QCOMPARE(w.folder.snapshot(), files);
}

void TestExit::yesEndsWithStatusZeroAndSavesNothing_data() { noChangesNothing_data(); }

void TestExit::yesEndsWithStatusZeroAndSavesNothing()
{
    QFETCH(Way, way);
    WindowHarness w;
    const auto files = w.folder.snapshot();
    w.fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);
    QVERIFY(leave(w, way));
    QVERIFY(w.window.isHidden());
    QCOMPARE(w.fake.dialogs.messages.size(), 1);
    QCOMPARE(w.folder.snapshot(), files);
}

void TestExit::confirmedExitEndsTheRealProcess()
{
    ProgramFolderFixture folder;
    QProcess editor;
    editor.start(QStringLiteral(EXIT_EDITOR), {folder.path()});
    QVERIFY2(editor.waitForFinished(60000), "the editor did not end after a confirmed exit");
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 0);

    // The stamp before the exit was committed; the one asked for after it
    // never came, and nothing was saved.
    const QImage demo = folder.image("demo.bmp");
    QCOMPARE(demo.pixel(30, 30), qRgb(0, 0, 255));
    QCOMPARE(demo.pixel(270, 270), qRgb(255, 255, 255));
    QStringList files = QDir(folder.path()).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, (QStringList {"demo.bmp", "new.doc", "readme.doc", "vantorel.vtr"}));
}

QTEST_MAIN(TestExit)
#include "tst_exit.moc"
