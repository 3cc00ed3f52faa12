// A long session through the editor's own classes on real files: ten thousand
// stamps, a thousand select, erase, move and undo cycles and two hundred saves
// and opens, interleaved. Memory must stay flat once every path has run, and
// every saved bitmap must read back as the map that was committed.
#include "ToolHarness.h"
#include "bitmap/BitmapFiles.h"
#include "catalogue/TileTable.h"
#include "document/OpenCommand.h"
#include "document/SaveCommand.h"
#include "project/ProjectFiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <malloc.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's run-time; GCC installs no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// The memory the editor keeps, in bytes: the resident size once the
// allocator has handed back what is free. Under AddressSanitizer the
// resident size also holds the sanitizer's own records, which grow as new
// allocation paths run, and freed blocks it holds back to catch late uses:
// there the bytes the program holds allocated are what tells a leak.
qint64 keptBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    ::malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * ::sysconf(_SC_PAGESIZE) : -1;
#endif
}

struct Soak : ToolHarness {
    QRandomGenerator random {20261208};

    QPointF anywhere()
    {
        return QPointF(random.bounded(Board::Width + 40.0) - 20,
                       random.bounded(Board::Height + 40.0) - 20);
    }

    void stampSome()
    {
        pick(TileTable::paletteOrder().at(random.bounded(TileTable::PaletteCount)));
        for (int turns = int(random.bounded(4)); turns > 0; --turns)
            rightClick();
        const QPointF at = anywhere();
        stamp(at.x(), at.y());
    }

    void selectEraseMoveUndo()
    {
        select(anywhere(), anywhere());
        eraseTool.press();
        select(anywhere(), anywhere());
        moveTool.press();
        const QPointF at = anywhere();
        stamp(at.x(), at.y());
        undo.press();
    }

    // Saves under one of a few names, checks the file, changes the map and
    // opens the project again.
    bool saveAndOpen(int round)
    {
        const QString name = QStringLiteral("soak%1").arg(round % 3);
        // Yes when asked to replace an earlier round's project.
        fake.dialogs.answers.clear();
        fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);
        if (save(name) != SaveCommand::Result::Saved)
            return false;
        fake.dialogs.messages.removeIf(
            [](const Dialogs::Message &box) { return box.buttons == Dialogs::Buttons::YesNo; });
        const QImage saved = editor.board().map();
        const QString file = folder.file(name + ProjectFiles::BitmapSuffix);
        if (BoardModel::normalized(BitmapFiles::read(file, nullptr)) != saved)
            return false;
        stampSome();
        return OpenCommand(editor).open(name + ProjectFiles::BitmapSuffix)
               && editor.board().map() == saved;
    }
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void longSessionStaysSoundAndFlat();
};

void TestSoak::longSessionStaysSoundAndFlat()
{
    constexpr int Rounds = 100; // each: 100 stamps, 10 cycles, 2 saves and opens
    constexpr int WarmUp = 10;
    constexpr qint64 Allowed = 2 * 1024 * 1024;
    Soak s;
    QVERIFY(s.started);
    qint64 settled = 0;
    qint64 highest = 0;
    for (int round = 0; round < Rounds; ++round) {
        for (int i = 0; i < 100; ++i)
            s.stampSome();
        for (int i = 0; i < 10; ++i)
            s.selectEraseMoveUndo();
        for (int i = 0; i < 2; ++i)
            QVERIFY2(s.saveAndOpen(2 * round + i), qPrintable(QString::number(round)));
        QVERIFY(s.fake.dialogs.messages.isEmpty());

        const qint64 kept = keptBytes();
        QVERIFY(kept > 0);
        if (round == WarmUp - 1)
            settled = kept;
        else if (round >= WarmUp)
            highest = qMax(highest, kept);
    }
    qInfo("memory kept after warm-up %lld KiB, at most %lld KiB after", settled / 1024,
          highest / 1024);
    QVERIFY2(highest <= settled + Allowed,
             qPrintable(
                 QStringLiteral("the memory kept grew by %1 KiB").arg((highest - settled) / 1024)));
    // The working copy follows the last change.
    s.stampSome();
    QCOMPARE(BoardModel::normalized(
                 BitmapFiles::read(s.folder.file(QStringLiteral("demo.bmp")), nullptr)),
             s.editor.board().map());
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
