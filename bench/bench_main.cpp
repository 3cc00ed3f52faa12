// Times every board operation through the classes the editor uses, on the
// offscreen platform with real files in a temporary program folder, beside
// the physical floor of the same work, and prints one table.

#include "FakePlatform.h"
#include "Measure.h"
#include "ProgramFolderFixture.h"
#include "Startup.h"
#include "Table.h"
#include "TestPictures.h"
#include "bitmap/BmpCodec.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/EraseTool.h"
#include "document/MoveTool.h"
#include "document/OpenCommand.h"
#include "document/SaveCommand.h"
#include "document/UndoCommand.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThreadPool>

#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using Measure::Summary;

namespace {

// An edit may cost this much more than its floor, the write of the board.
constexpr double EditTarget = 1.5;

struct Counts {
    int pointer = 3000;
    int file = 300;
    int startup = 30;
    int soak = 10000;
};

// One board's pixels copied once: the least a full-board reset could cost.
Summary memcpyFloor(int count)
{
    const size_t bytes = size_t(Board::Width) * Board::Height * 4;
    std::vector<char> from(bytes, 1), to(bytes, 2);
    return Measure::summarise(Measure::sample(count, {}, [&] {
        std::memcpy(to.data(), from.data(), bytes);
        asm volatile("" ::"r"(to.data()) : "memory");
    }));
}

// A plain write of new files of the given sizes, each read back at once
// when asked: what work through files costs at the least. The old files are
// removed before the clock starts, so the writes are of new files, as a
// commit's are.
class FileFloor
{
public:
    FileFloor(const QString &folder, QList<qint64> sizes, bool readBack = true)
        : readBack_(readBack)
    {
        for (qint64 size : sizes) {
            files_.push_back(
                {(folder + QStringLiteral("/floor%1.bin").arg(files_.size())).toLocal8Bit(),
                 std::vector<char>(size_t(size), 7), std::vector<char>(size_t(size), 0)});
            name_ += (name_.isEmpty() ? QString() : QStringLiteral("+")) + QString::number(size);
        }
        name_ = (readBack ? QStringLiteral("write+read %1 B") : QStringLiteral("write %1 B"))
                    .arg(name_);
    }

    const QString &name() const { return name_; }

    Measure::Timed timed()
    {
        return {[this] {
                    for (const File &f : files_)
                        ::unlink(f.path.constData());
                },
                [this] {
                    for (File &f : files_)
                        writeAndRead(f, readBack_);
                }};
    }

private:
    struct File {
        QByteArray path;
        std::vector<char> data;
        std::vector<char> back;
    };

    static void writeAndRead(File &f, bool readBack)
    {
        int fd = ::open(f.path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || ::write(fd, f.data.data(), f.data.size()) != qint64(f.data.size()))
            qFatal("floor write failed");
        ::close(fd);
        if (!readBack)
            return;
        fd = ::open(f.path.constData(), O_RDONLY);
        if (fd < 0 || ::read(fd, f.back.data(), f.back.size()) != qint64(f.back.size()))
            qFatal("floor read failed");
        ::close(fd);
    }

    std::vector<File> files_;
    QString name_;
    bool readBack_;
};

// Before each sample, what the last one left to do is done: the old files it
// replaced are released on other threads, and repaints it asked for are
// painted, as both are long before the user acts again. The wait spins
// rather than sleeps, so that no sample starts on a core another program
// has just used, with its caches cold.
void settle()
{
    while (QThreadPool::globalInstance()->activeThreadCount() > 0) {}
    QCoreApplication::processEvents();
}

// The editor as the user has it: the main window shown on the offscreen
// platform, its board repainted into the backing store at every change.
struct Session {
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor {fake.platform(), folder.path()};
    Form1 window {editor};
    BoardController &board = window.controller();
    QRandomGenerator random {42};

    Session()
    {
        if (!window.startUp())
            qFatal("the editor did not start");
        window.show();
        QCoreApplication::processEvents();
    }

    // Paints what the last change asked to repaint, as the next round of the
    // event loop does, so that a pointer move is timed with its painting.
    void paintAskedFor() { QCoreApplication::sendPostedEvents(); }

    QPointF randomPoint()
    {
        return QPointF(random.bounded(Board::Width), random.bounded(Board::Height));
    }

    void selectBlock(QRect cells)
    {
        EditorState &s = editor.state();
        s.SelX1 = cells.left() * 13;
        s.SelY1 = cells.top() * 13;
        s.SelX2 = (cells.right() + 1) * 13;
        s.SelY2 = (cells.bottom() + 1) * 13;
        s.Mode = EditMode::SelectionMade;
        editor.setTools({false, true, true});
    }

    Summary pointerMoves(int tile, int count)
    {
        editor.state().CurrentTile = tile;
        editor.state().Mode = EditMode::Placement;
        int i = 0;
        return Measure::summarise(Measure::sample(count, {}, [&] {
            const double x = (i++ % 2) ? 130.5 : 260.5;
            board.pointerMove(Qt::NoButton, QPointF(x, 200.5));
            paintAskedFor();
        }));
    }
};

// The pointer move at a device pixel ratio of 2 is timed by a second run of
// this program, started with QT_SCALE_FACTOR=2, since a process keeps the
// ratio it starts with. That run prints the two summaries, the move's and
// its floor's, on one line.
const char *const RatioTwoOption = "--pointer-at-ratio-2";
const int RatioTwoTile = 1; // 39 x 39 pixels

void printRatioTwo(const Counts &n, bool smoke)
{
    Session session;
    if (session.window.devicePixelRatio() != 2)
        qFatal("the window is painted at a ratio of %g, not 2", session.window.devicePixelRatio());
    const int count = smoke ? 1 : n.pointer;
    const Summary copy = memcpyFloor(count);
    const Summary move = session.pointerMoves(RatioTwoTile, count);
    std::printf("%f %f %f %f\n", move.median, move.p99, copy.median, copy.p99);
}

bool measureRatioTwo(bool smoke, Summary *move, Summary *copy)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    run.setProcessEnvironment(environment);
    QStringList arguments {QString::fromLatin1(RatioTwoOption)};
    if (smoke)
        arguments << QStringLiteral("--smoke");
    run.start(QCoreApplication::applicationFilePath(), arguments);
    if (!run.waitForFinished(300000) || run.exitStatus() != QProcess::NormalExit
        || run.exitCode() != 0) {
        std::fprintf(stderr, "the run at a ratio of 2 failed: %s\n",
                     run.readAllStandardError().constData());
        return false;
    }
    const QByteArray printed = run.readAllStandardOutput();
    const QList<QByteArray> fields = printed.simplified().split(' ');
    if (fields.size() != 4) {
        std::fprintf(stderr, "the run at a ratio of 2 printed: %s\n", printed.constData());
        return false;
    }
    *move = {fields[0].toDouble(), fields[1].toDouble()};
    *copy = {fields[2].toDouble(), fields[3].toDouble()};
    return true;
}

// Times an operation on files and its floor in turn, and adds both to the
// table.
void addFileRow(Table &table, const QString &name, int count, Measure::Timed op, FileFloor &floor,
                double target = 0)
{
    const auto prepare = op.prepare;
    op.prepare = [prepare] {
        if (prepare)
            prepare();
        settle();
    };
    Measure::Timed plain = floor.timed();
    const auto removeOld = plain.prepare;
    plain.prepare = [removeOld] {
        settle();
        removeOld();
    };
    const Measure::Pair samples = Measure::alternate(count, op, plain);
    table.add(name, Measure::summarise(samples.first), floor.name(),
              Measure::summarise(samples.second), target);
}

void measureBoard(Table &table, const Counts &n, bool smoke)
{
    Session session;
    const qint64 bitmapBytes = BmpCodec::encode(session.editor.board().map()).size();
    const qint64 blockBytes = BmpCodec::encode(QImage(65, 65, QImage::Format_RGB32)).size();
    FileFloor board(session.folder.path(), {bitmapBytes});
    // An edit writes the board; a move also the 5 x 5 cell block it cuts.
    FileFloor edit(session.folder.path(), {bitmapBytes}, false);
    FileFloor editAndBlock(session.folder.path(), {bitmapBytes, blockBytes}, false);
    const Summary copy = memcpyFloor(smoke ? 1 : n.pointer);
    const QString copyName = QStringLiteral("memcpy one board");
    const int pointerCount = smoke ? 1 : n.pointer;
    const int fileCount = smoke ? 1 : n.file;

    table.add(QStringLiteral("pointer move, 13 x 13 tile"), session.pointerMoves(86, pointerCount),
              copyName, copy);
    table.add(QStringLiteral("pointer move, 39 x 39 tile"),
              session.pointerMoves(RatioTwoTile, pointerCount), copyName, copy, 0.5);
    Summary atRatioTwo, copyAtRatioTwo;
    if (!measureRatioTwo(smoke, &atRatioTwo, &copyAtRatioTwo))
        qFatal("the pointer move at a ratio of 2 was not measured");
    table.add(QStringLiteral("pointer move, 39 x 39 tile, ratio 2"), atRatioTwo, copyName,
              copyAtRatioTwo, 0.5);
    table.add(QStringLiteral("pointer move, 91 x 91 tile"), session.pointerMoves(62, pointerCount),
              copyName, copy);

    Session &s = session;
    Editor &editor = s.editor;
    addFileRow(table, QStringLiteral("stamp"), fileCount,
               {[&] {
                    editor.state().CurrentTile = 1 + int(s.random.bounded(97u));
                    s.board.pointerMove(Qt::NoButton, s.randomPoint());
                },
                [&] { s.board.buttonPress(Qt::LeftButton, QPointF()); }},
               edit, EditTarget);

    EraseTool erase(editor);
    addFileRow(table, QStringLiteral("erase 5 x 5 cells"), fileCount,
               {[&] { s.selectBlock(QRect(2 + int(s.random.bounded(40u)), 3, 5, 5)); },
                [&] { erase.press(); }},
               edit, EditTarget);

    MoveTool move(editor);
    addFileRow(table, QStringLiteral("move 5 x 5 cells"), fileCount,
               {[&] { s.selectBlock(QRect(2 + int(s.random.bounded(40u)), 9, 5, 5)); },
                [&] { move.press(); }},
               editAndBlock, EditTarget);

    // The rows above left more steps than these take back and bring back.
    UndoCommand undo(editor);
    addFileRow(table, QStringLiteral("undo"), fileCount, {{}, [&] { undo.press(); }}, edit,
               EditTarget);
    addFileRow(table, QStringLiteral("redo"), fileCount, {{}, [&] { undo.redo(); }}, edit,
               EditTarget);

    // The full-board move buffer: a block of the whole drawing area.
    s.selectBlock(QRect(0, 0, 60, 42));
    move.press();
    table.add(QStringLiteral("pointer move, full-board block"),
              session.pointerMoves(TileTable::MoveBufferIndex, pointerCount), copyName, copy);

    SaveCommand save(editor);
    addFileRow(table, QStringLiteral("save (flushed to disk)"), smoke ? 1 : 60,
               {[&] { s.fake.dialogs.promptAnswers.enqueue("bench"); }, [&] { save.run(); }},
               board);

    OpenCommand open(editor);
    addFileRow(table, QStringLiteral("open"), fileCount,
               {{},
                [&] {
                    if (!open.open(QStringLiteral("bench.bmp")))
                        qFatal("open failed");
                }},
               board);
}

// A bitmap far larger than the board opens by its top-left corner, read
// row by row: time, and memory above the editor's own.
void measureLargeOpen(Table &table, bool smoke)
{
    Session s;
    const QString file = s.folder.file(QStringLiteral("grand.bmp"));
    if (writeLargeBitmap(file, 8000, 8000, 24, Board::area().size()).isNull())
        qFatal("the large bitmap was not written");
    OpenCommand open(s.editor);
    const auto opened = [&] {
        if (!open.open(QStringLiteral("grand.bmp")))
            qFatal("the large bitmap did not open");
    };
    const Summary time = Measure::summarise(Measure::sample(smoke ? 1 : 30, {}, opened));
    const qint64 before = Measure::residentBytes();
    Measure::resetPeak();
    opened();
    const qint64 peak = Measure::peakResidentBytes();
    table.note(QStringLiteral("open 8000 x 8000 24-bit bitmap: median %1 us, p99 %2 us; peak "
                              "resident %3 KiB above the editor's own (target < 32768 KiB)")
                   .arg(time.median, 0, 'f', 1)
                   .arg(time.p99, 0, 'f', 1)
                   .arg(qMax<qint64>(peak - before, 0) / 1024));
}

// The memory of a history of ordinary edits: stamps of any tile, erases and
// moves of 5 x 5 cells, in random places.
void measureHistory(Table &table, bool smoke)
{
    Session s;
    const int steps = smoke ? 20 : 1000;
    EraseTool erase(s.editor);
    MoveTool move(s.editor);
    for (int i = 0; i < steps; ++i) {
        const QRect cells(int(s.random.bounded(55u)), int(s.random.bounded(37u)), 5, 5);
        switch (s.random.bounded(4u)) {
        case 0:
            s.selectBlock(cells);
            erase.press();
            break;
        case 1:
            s.selectBlock(cells);
            move.press();
            break;
        default:
            s.editor.state().CurrentTile = 1 + int(s.random.bounded(97u));
            s.board.pointerMove(Qt::NoButton, s.randomPoint());
            s.board.buttonPress(Qt::LeftButton, QPointF());
        }
    }
    table.note(QStringLiteral("history of %1 edits (%2 steps): %3 KiB (target < 16384)")
                   .arg(steps)
                   .arg(s.editor.history().count())
                   .arg(s.editor.historyBytes() / 1024));
}

void measureStamps(Table &table, const Counts &n, bool smoke)
{
    Session s;
    const int total = smoke ? 20 : n.soak;
    const int window = smoke ? 5 : 1000;
    QVector<double> times;
    times.reserve(total);
    qint64 residentAfterTen = 0;
    qint64 heapAfterTen = 0;
    qint64 historyAfterTen = 0;
    for (int i = 0; i < total; ++i) {
        s.editor.state().CurrentTile = 1 + int(s.random.bounded(97u));
        s.board.pointerMove(Qt::NoButton, s.randomPoint());
        const auto start = std::chrono::steady_clock::now();
        s.board.buttonPress(Qt::LeftButton, QPointF());
        times.append(Measure::microsecondsSince(start));
        if (i == 9) {
            residentAfterTen = Measure::residentBytes();
            heapAfterTen = Measure::heapBytes();
            historyAfterTen = s.editor.historyBytes();
        }
    }
    // The resident size hides what the heap held free before; the heap in
    // use does not. The history grows by design, up to its limit; the rest
    // must not.
    const qint64 resident = Measure::residentBytes() - residentAfterTen;
    const qint64 heap = Measure::heapBytes() - heapAfterTen;
    const qint64 history = s.editor.historyBytes() - historyAfterTen;
    const Summary first = Measure::summarise(times.mid(0, window));
    const Summary last = Measure::summarise(times.mid(total - window));
    table.note(QStringLiteral("%1 stamps after the first 10: resident growth %2 KiB; heap in use "
                              "growth %3 KiB, %4 KiB of it the history's, other growth %5 KiB "
                              "(target <= 1024)")
                   .arg(total)
                   .arg(resident / 1024)
                   .arg(heap / 1024)
                   .arg(history / 1024)
                   .arg((heap - history) / 1024));
    table.note(QStringLiteral("%1 stamps: median first %2 = %3 us, last %2 = %4 us (ratio %5, "
                              "target <= 1.10)")
                   .arg(total)
                   .arg(window)
                   .arg(first.median, 0, 'f', 1)
                   .arg(last.median, 0, 'f', 1)
                   .arg(last.median / first.median, 0, 'f', 3));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The temporary program folders take their documents from the sources.
    if (qEnvironmentVariableIsEmpty("VANTOREL_SOURCE_DIR"))
        qputenv("VANTOREL_SOURCE_DIR", VANTOREL_SOURCE_ROOT);
    bool smoke = false;
    bool ratioTwo = false;
    for (int i = 1; i < argc; ++i) {
        smoke = smoke || std::strcmp(argv[i], "--smoke") == 0;
        ratioTwo = ratioTwo || std::strcmp(argv[i], RatioTwoOption) == 0;
    }
    Counts counts;
    if (ratioTwo) {
        QApplication app(argc, argv);
        printRatioTwo(counts, smoke);
        return 0;
    }

    // The start-up probes run as processes of their own, before this one
    // builds any window.
    Table table;
    const Startup::Result startup = Startup::measure(smoke ? 1 : counts.startup);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel Editor"));
    table.add(QStringLiteral("start-up to first painted frame"), startup.editor,
              QStringLiteral("bare Qt window"), startup.bare, 1.3);
    measureBoard(table, counts, smoke);
    measureLargeOpen(table, smoke);
    measureHistory(table, smoke);
    measureStamps(table, counts, smoke);
    table.print();
    return 0;
}
