#include "EditorHarness.h"
#include "ProgramFolderFixture.h"
#include "StampLoopMaps.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/MapRecovery.h"
#include "document/OpenCommand.h"
#include "document/SaveCommand.h"
#include "project/ProjectFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <chrono>
#include <thread>

namespace {

using Answer = Dialogs::Answer;

// One run of the editor on a program folder, started as the application
// starts it: the record read, the start-up, the question, the record kept.
struct Run {
    FakePlatform fake;
    Editor editor;
    BoardController board {editor};
    MapRecovery recovery {editor};
    bool started = false;

    Run(const ProgramFolderFixture &folder, Answer answer) : editor(fake.platform(), folder.path())
    {
        fake.dialogs.answers.enqueue(answer);
        recovery.find();
        started = editor.startUp(recovery.keepsStartDocument()) && recovery.settle();
    }
    void stamp(int x, int y)
    {
        board.pointerMove(Qt::NoButton, QPointF(x, y));
        board.buttonPress(Qt::LeftButton, QPointF(x, y));
    }
    bool save(const QString &name)
    {
        return saveAs(editor, fake.dialogs, name) == SaveCommand::Result::Saved;
    }
};

enum class End {
    Killed,
    OrderlyExit,
    SavedThenKilled,
    KilledInItsOwnProject,
    KilledOnAMapElsewhere,
    MapFileLost
};

} // namespace

class TestMapRecovery : public QObject
{
    Q_OBJECT

private slots:
    void nextStartAfterAnEnd_data();
    void nextStartAfterAnEnd();
    void damagedRecordOffersNothing_data();
    void damagedRecordOffersNothing();
    void killedWhileStampingOffersTheLastChange();
};

void TestMapRecovery::nextStartAfterAnEnd_data()
{
    QTest::addColumn<End>("end");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("broughtBack");
    QTest::newRow("killed, Oui") << End::Killed << Answer::Yes << true << true;
    QTest::newRow("killed, Non") << End::Killed << Answer::No << true << false;
    QTest::newRow("own project killed, Oui")
        << End::KilledInItsOwnProject << Answer::Yes << true << true;
    QTest::newRow("map of another folder killed, Oui")
        << End::KilledOnAMapElsewhere << Answer::Yes << true << true;
    QTest::newRow("orderly exit") << End::OrderlyExit << Answer::Yes << false << false;
    QTest::newRow("saved, then killed") << End::SavedThenKilled << Answer::Yes << false << false;
    QTest::newRow("killed, demo.bmp lost") << End::MapFileLost << Answer::Yes << false << false;
}

void TestMapRecovery::nextStartAfterAnEnd()
{
    QFETCH(End, end);
    QFETCH(Answer, answer);
    QFETCH(bool, offered);
    QFETCH(bool, broughtBack);
    ProgramFolderFixture folder;
    QTemporaryDir elsewhere;
    QImage map;
    {
        Run first(folder, Answer::No);
        QVERIFY(first.started);
        QVERIFY(first.fake.dialogs.messages.isEmpty());
        if (end == End::KilledInItsOwnProject)
            QVERIFY(first.save(QStringLiteral("carte")));
        if (end == End::KilledOnAMapElsewhere) {
            QVERIFY(BoardModel::whiteBoard().save(elsewhere.filePath("carte.bmp"), "BMP"));
            QVERIFY(OpenCommand(first.editor).openFile(elsewhere.filePath("carte.bmp")));
        }
        first.stamp(40, 40);
        first.stamp(300, 200);
        if (end == End::SavedThenKilled)
            QVERIFY(first.save(QStringLiteral("carte")));
        if (end == End::OrderlyExit)
            first.recovery.forget();
        map = first.editor.board().map();
        if (end == End::MapFileLost)
            folder.write(ProjectFiles::CommittedBoard, "BM");
        // The scenario written to the start-up project's document meanwhile.
        folder.write(ProjectFiles::StartDocument, "{\\rtf1 Scénario du donjon}");
    }
    const auto before = folder.snapshot();

    Run next(folder, answer);
    QVERIFY(next.started);
    QCOMPARE(next.fake.dialogs.messages.size(), offered ? 1 : 0);
    const QString project = end == End::KilledInItsOwnProject || end == End::KilledOnAMapElsewhere
                                ? QStringLiteral("carte")
                                : ProjectFiles::StartProject;
    const QString projectFolder
        = end == End::KilledOnAMapElsewhere && broughtBack ? elsewhere.path() : folder.path();
    if (offered) {
        const Dialogs::Message box = next.fake.dialogs.messages.first();
        QCOMPARE(box.text, MapRecovery::Question.arg(project));
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultButton, Answer::Yes);
    }
    QCOMPARE(next.recovery.broughtBack(), broughtBack);
    QCOMPARE(next.editor.mapSaved(), !broughtBack);
    QCOMPARE(next.editor.projectName(), broughtBack ? project : ProjectFiles::StartProject);
    QCOMPARE(next.editor.projectFolder(), projectFolder);
    QCOMPARE(next.editor.caption(),
             Editor::CaptionPrefix
                 + QDir::toNativeSeparators(projectFolder + '/'
                                            + (broughtBack ? project : ProjectFiles::StartProject)
                                            + ".bmp"));
    QCOMPARE(next.editor.board().map(), broughtBack ? map : BoardModel::whiteBoard());

    // What changed in the folder: the start-up project's document is made
    // anew unless its map came back, the record follows the answer, and no
    // other file changes.
    const bool keptDocument = broughtBack && project == ProjectFiles::StartProject;
    QCOMPARE(folder.read(ProjectFiles::StartDocument),
             keptDocument ? QByteArray("{\\rtf1 Scénario du donjon}")
                          : folder.read(ProjectFiles::Template));
    auto after = folder.snapshot();
    auto expected = before;
    for (const QString &name : {ProjectFiles::StartDocument, ProjectFiles::Recovery}) {
        after.remove(name);
        expected.remove(name);
    }
    QCOMPARE(after, expected);
    // A map brought back is recorded unsaved; a saved map leaves nothing to
    // offer, by no record or by one that says it is saved.
    const auto record = MapRecovery::read(folder.file(ProjectFiles::Recovery));
    QCOMPARE(record && !record->saved, broughtBack);

    // A second kill now offers the same map again; an orderly exit nothing.
    next.recovery.forget();
    QVERIFY(!folder.exists(ProjectFiles::Recovery));
}

void TestMapRecovery::damagedRecordOffersNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("torn") << QByteArray("{\"project\": \"New\", \"fol");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a record") << QByteArray("BM\x00\x01");
    QTest::newRow("saved missing") << QByteArray("{\"project\": \"New\", \"folder\": \"/\"}");
}

void TestMapRecovery::damagedRecordOffersNothing()
{
    QFETCH(QByteArray, bytes);
    ProgramFolderFixture folder;
    folder.write(ProjectFiles::Recovery, bytes);
    Run run(folder, Answer::Yes);
    QVERIFY(run.started);
    QVERIFY(run.fake.dialogs.messages.isEmpty());
    QCOMPARE(MapRecovery::read(folder.file(ProjectFiles::Recovery)),
             (MapRecovery::Record {ProjectFiles::StartProject, QString(), true}));
}

// What stamp_loop said before it was killed.
struct Said {
    QByteArray lastChange; // the map of the last change it finished, if any since its last save
    QByteArray nextChange; // the map of a change begun and not said finished
    bool saving = false; // a save begun and not said finished

    void read(const QByteArray &line)
    {
        if (line.startsWith("next ")) {
            nextChange = line.mid(5).trimmed();
        } else if (line.startsWith("changed")) {
            lastChange = nextChange;
            nextChange.clear();
        } else if (line.startsWith("saving")) {
            saving = true;
        } else if (line.startsWith("saved")) {
            saving = false;
            lastChange.clear();
        }
    }
};

void TestMapRecovery::killedWhileStampingOffersTheLastChange()
{
    const int rounds = qEnvironmentVariableIntValue("VANTOREL_RECOVERY_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("VANTOREL_RECOVERY_ROUNDS")
                           : 200;
    ProgramFolderFixture folder;
    QRandomGenerator random(19);
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(STAMP_LOOP), {folder.path(), QString::number(round)});
        QVERIFY(child.waitForStarted());
        Said said;
        // A few finished steps, then a kill a random short while later: most
        // often in the middle of the next commit or save.
        for (int steps = int(random.bounded(1, 6)); steps > 0;) {
            if (child.canReadLine()) {
                const QByteArray line = child.readLine();
                said.read(line);
                steps -= line.startsWith("changed") || line.startsWith("saved");
            } else {
                QVERIFY2(child.waitForReadyRead(60000), "stamp_loop stopped");
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(8000)));
        child.kill();
        QVERIFY(child.waitForFinished());
        while (child.canReadLine())
            said.read(child.readLine());

        const QString where = QStringLiteral("round %1").arg(round);
        if (folder.exists(ProjectFiles::Recovery))
            QVERIFY2(MapRecovery::read(folder.file(ProjectFiles::Recovery)),
                     qPrintable(where + QStringLiteral(": torn record")));
        Run next(folder, Answer::Yes);
        QVERIFY(next.started);
        if (next.recovery.broughtBack()) {
            const QByteArray map = mapHash(next.editor.board().map());
            QVERIFY2((!map.isEmpty() && map == said.lastChange) || map == said.nextChange,
                     qPrintable(where + QStringLiteral(": another map is offered")));
        } else {
            QVERIFY2(next.fake.dialogs.messages.isEmpty(),
                     qPrintable(where + QStringLiteral(": a map is offered and not brought back")));
            QVERIFY2(said.lastChange.isEmpty() || said.saving,
                     qPrintable(where + QStringLiteral(": the last change is not offered")));
        }
    }
}

QTEST_MAIN(TestMapRecovery)
#include "tst_maprecovery.moc"
