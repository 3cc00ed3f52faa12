// Kills a process that saves a project over and over, at random moments, and
// checks that every bitmap it writes is always one map or the other, whole.
#include "ProgramFolderFixture.h"
#include "SaveLoopBoards.h"
#include "bitmap/BmpCodec.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <chrono>
#include <thread>

class TestAtomicSave : public QObject
{
    Q_OBJECT

private slots:
    void killedSavesLeaveWholeFiles();
};

void TestAtomicSave::killedSavesLeaveWholeFiles()
{
    const int rounds = qEnvironmentVariableIntValue("VANTOREL_ATOMIC_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("VANTOREL_ATOMIC_ROUNDS")
                           : 200;
    ProgramFolderFixture folder;
    const QByteArray maps[2]
        = {BmpCodec::encode(saveLoopBoard(0)), BmpCodec::encode(saveLoopBoard(1))};
    const QByteArray document = folder.read(QStringLiteral("vantorel.vtr"));
    QRandomGenerator random(8);

    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.setProgram(QStringLiteral(SAVE_LOOP));
        child.setArguments({folder.path(), QString::number(round % 2)});
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start();
        QVERIFY(child.waitForStarted());

        // A few whole saves, then a kill a random short while later: most
        // often in the middle of the next commit or save.
        const int saves = int(random.bounded(1, 3));
        for (int seen = 0; seen < saves;) {
            if (child.canReadLine()) {
                QVERIFY(child.readLine().startsWith("saved"));
                ++seen;
            } else if (!child.waitForReadyRead(60000)) {
                QFAIL(qPrintable(QStringLiteral("round %1: the saving process stopped (%2)")
                                     .arg(round)
                                     .arg(child.exitCode())));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(20000)));
        child.kill();
        QVERIFY(child.waitForFinished());

        for (const char *name : {"carte.bmp", "demo.bmp"}) {
            const QByteArray bytes = folder.read(QString::fromLatin1(name));
            QVERIFY2(bytes == maps[0] || bytes == maps[1],
                     qPrintable(QStringLiteral("round %1: %2 is torn (%3 bytes)")
                                    .arg(round)
                                    .arg(QString::fromLatin1(name))
                                    .arg(bytes.size())));
        }
        QCOMPARE(folder.read(QStringLiteral("carte.doc")), document);
    }
}

QTEST_MAIN(TestAtomicSave)
#include "tst_atomicsave.moc"
