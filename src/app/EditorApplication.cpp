#include "EditorApplication.h"

#include "CommandLine.h"
#include "ProgramFolderCheck.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/OpenCommand.h"
#include "ui/EditorStyle.h"
#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/UiArt.h"

#include <QApplication>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#if defined(Q_OS_LINUX) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace {

const int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler only writes the signal's number into a pipe, which the event
// loop reads: nothing else is safe inside a signal handler.
int signalPipe[2] = {-1, -1};

extern "C" void onEndSignal(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// Qt's X11 platform ends the process with exit() when the display goes
// away, from inside the event loop. The process then ends at once, with the
// record of the unsaved map kept and no destructor run under a live
// application; the next start takes the lock over as it takes a crashed
// editor's.
std::atomic<bool> inEventLoop {false};

extern "C" void onExitFromTheEventLoop()
{
    if (inEventLoop.load())
        std::_Exit(1);
}

} // namespace

void EditorApplication::prepareMemory()
{
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    // The first frame fills the window's backing store, megabytes that the
    // allocator would map afresh on ordinary pages: a page fault every four
    // kilobytes, which on some virtual machines costs more than the rest of
    // the start-up. Blocks of up to eight megabytes come from the heap
    // instead, grown once now by a margin that huge pages may back, faulted
    // in two-megabyte steps.
    constexpr int Megabyte = 1024 * 1024;
    if (mallopt(M_MMAP_THRESHOLD, 8 * Megabyte) != 1 || mallopt(M_TOP_PAD, 16 * Megabyte) != 1
        || mallopt(M_TRIM_THRESHOLD, 32 * Megabyte) != 1)
        return;
    auto *const start = static_cast<char *>(::sbrk(0));
    void *volatile block = std::malloc(size_t(4) * Megabyte);
    std::free(block);
    auto *const end = static_cast<char *>(::sbrk(0));
    constexpr quintptr Huge = quintptr(2) * Megabyte;
    char *const from = start + (Huge - reinterpret_cast<quintptr>(start) % Huge) % Huge;
    if (end > from)
        (void)::madvise(from, size_t(end - from), MADV_HUGEPAGE);
#endif
}

void EditorApplication::configure()
{
    QApplication::setApplicationName(Editor::ProgramName);
    QApplication::setApplicationVersion(CommandLine::Version);
    // Ties the window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.VantorelEditor"));
    QApplication::setWindowIcon(UiArt::programIcon());
    Fonts::installSubstitutes();
    // The application owns its style.
    auto *style = new EditorStyle;
    style->setParent(qApp);
    QApplication::setStyle(style);
}

EditorApplication::EditorApplication(const QString &programFolder)
    : editor_(platform_.platform(), programFolder), lock_(programFolder)
{}

EditorApplication::~EditorApplication() = default;

bool EditorApplication::start(const QString &file)
{
    // Nothing touches the program folder until the lock is held; the window
    // is only built, and goes unseen when another editor holds it.
    window_ = std::make_unique<Form1>(editor_);
    if (!lock_.take(editor_) || !ProgramFolderCheck::writable(editor_)) {
        window_.reset();
        return false;
    }
    platform_.dialogs.setParentWindow(window_.get());
    platform_.exports.setParentWindow(window_.get());
    recovery_.find();
    if (!window_->startUp(recovery_.keepsStartDocument())) {
        window_.reset();
        return false;
    }
    window_->show();
    // The question about a map left unsaved shows over the window; the map
    // brought back takes the place of a file given.
    if (!recovery_.settle()) {
        window_.reset();
        return false;
    }
    // The window is up before the map is read, so that the load message shows
    // over it; an opened map shows at once, the preview replayed over it as
    // the open dialog's close does.
    if (recovery_.broughtBack() || (!file.isEmpty() && OpenCommand(editor_).openFile(file)))
        window_->controller().activate();
    watchEndSignals();
    return true;
}

void EditorApplication::watchEndSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    endSignals_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(endSignals_.get(), &QSocketNotifier::activated, [this] {
        unsigned char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1 && endSignal_ == 0) {
            endSignal_ = byte;
            // A second signal, should this end hang, ends the process at once.
            for (int number : EndSignals)
                std::signal(number, SIG_DFL);
            // Leaves every event loop, a message box's included, without
            // asking anything.
            QCoreApplication::exit(128 + endSignal_);
        }
    });
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : EndSignals)
        sigaction(number, &action, nullptr);
    std::atexit(onExitFromTheEventLoop);
}

int EditorApplication::run()
{
    inEventLoop = true;
    const int code = QApplication::exec();
    inEventLoop = false;
    if (endSignal_ == 0)
        recovery_.forget();
    return endSignal_ == 0 ? code : 128 + endSignal_;
}
