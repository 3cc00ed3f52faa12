#include "RealDesktop.h"

#include <QColorSpace>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int ToolTimeout = 15000; // ms

// The system's Python, which the python3-xlib package serves, whatever other
// Python comes first on the path.
const QString SystemPython = QStringLiteral("/usr/bin/python3");

// Sends the window the WM_DELETE_WINDOW message that a window manager sends
// for a close; there is no window manager on these servers.
const char *const CloseRequest = R"(
import sys
from Xlib import X, display, protocol
d = display.Display()
window = d.create_resource_object('window', int(sys.argv[1]))
message = protocol.event.ClientMessage(
    window=window, client_type=d.intern_atom('WM_PROTOCOLS'),
    data=(32, [d.intern_atom('WM_DELETE_WINDOW'), X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
d.flush()
)";

} // namespace

RealDesktop::~RealDesktop()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished(5000);
    }
}

void RealDesktop::killServer()
{
    server_.kill();
    server_.waitForFinished(5000);
}

bool RealDesktop::start(QString *error)
{
    for (const char *tool :
         {"Xvfb", "setxkbmap", "xdotool", "xwininfo", "xprop", "import", "xclip"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *error = QStringLiteral("%1 is missing: install xvfb, xdotool, x11-utils, xclip and "
                                    "imagemagick (scripts/test does)")
                         .arg(QString::fromLatin1(tool));
            return false;
        }
    }
    bool xlib = false;
    run(SystemPython, {QStringLiteral("-c"), QStringLiteral("import Xlib")}, &xlib);
    if (!xlib) {
        *error = QStringLiteral("python3-xlib is missing for %1: install it (scripts/test does)")
                     .arg(SystemPython);
        return false;
    }
    // The servers of these tests keep to displays of their own, clear of a
    // developer's desktop and of other test servers: the first free one of
    // the range is taken. The server writes its number on standard output
    // once it accepts clients. It must not reset when its last client leaves:
    // the next editor started during the reset would fail to connect, or hang
    // without a window.
    QString reasons;
    for (int number = FirstDisplay; number <= LastDisplay; ++number) {
        QString reason;
        if (startServer(number, &reason)) {
            display_ = QLatin1Char(':') + QString::number(number);
            return useFrenchKeyboard(error);
        }
        reasons += QStringLiteral("\n:%1: %2").arg(number).arg(reason);
    }
    *error
        = QStringLiteral("no display from :%1 to :%2 is free:").arg(FirstDisplay).arg(LastDisplay)
          + reasons;
    return false;
}

bool RealDesktop::startServer(int number, QString *error)
{
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    // The screen holds the window at a device pixel ratio of 2 as well.
    server_.start(QStringLiteral("Xvfb"),
                  {QLatin1Char(':') + QString::number(number), QStringLiteral("-displayfd"),
                   QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("2400x1600x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_.waitForStarted(ToolTimeout)) {
        *error = QStringLiteral("Xvfb did not start: ") + server_.errorString();
        return false;
    }
    QByteArray told;
    waitUntil([&] {
        server_.waitForReadyRead(100);
        told += server_.readAllStandardOutput();
        return told.contains('\n') || server_.state() == QProcess::NotRunning;
    });
    if (told.trimmed() == QByteArray::number(number) && server_.state() == QProcess::Running)
        return true;
    // Taken by another server, or no answer in time.
    if (server_.state() != QProcess::NotRunning) {
        server_.kill();
        server_.waitForFinished(5000);
    }
    QStringList said;
    for (const QByteArray &line : server_.readAllStandardError().split('\n'))
        if (line.trimmed() != "(EE)" && !line.trimmed().isEmpty())
            said.append(QString::fromLocal8Bit(line.trimmed()));
    *error = said.isEmpty() ? QStringLiteral("no answer") : said.join(QLatin1Char(' '));
    return false;
}

bool RealDesktop::useFrenchKeyboard(QString *error)
{
    // French names are typed on a French keyboard. There every accented
    // letter of them has a key of its own; on another layout xdotool binds
    // a spare key to the letter for a moment, and a program that reads the
    // key late reads it with the binding already undone.
    bool ok = false;
    run(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("fr")}, &ok);
    if (!ok)
        *error = QStringLiteral("setxkbmap could not give %1 a French keyboard").arg(display_);
    return ok;
}

QProcessEnvironment RealDesktop::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // The private server comes with no session bus. Given no address, D-Bus
    // forks a launcher from inside the editor's threads at its first
    // accessibility update, and under the sanitizers that child can hang
    // before it runs, and the editor with it. An address where nothing
    // listens says at once that there is no bus.
    if (!env.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=/nonexistent/vantorel-no-session-bus"));
    return env;
}

QByteArray RealDesktop::run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    const bool finished
        = process.waitForStarted(ToolTimeout) && process.waitForFinished(ToolTimeout);
    if (!finished)
        process.kill();
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return process.readAllStandardOutput();
}

void RealDesktop::xdotool(const QStringList &arguments) const
{
    run(QStringLiteral("xdotool"), arguments);
}

QStringList RealDesktop::windows(qint64 pid, const QString &titlePattern) const
{
    const QByteArray found = run(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--all"),
                                  QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                  QString::number(pid), QStringLiteral("--name"), titlePattern});
    return QString::fromLatin1(found).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString RealDesktop::waitForWindow(qint64 pid, const QString &titlePattern, int timeoutMs) const
{
    QString window;
    waitUntil(
        [&] {
            const QStringList found = windows(pid, titlePattern);
            if (!found.isEmpty())
                window = found.first();
            return !window.isEmpty();
        },
        timeoutMs);
    return window;
}

bool RealDesktop::waitForNoWindow(qint64 pid, const QString &titlePattern, int timeoutMs) const
{
    return waitUntil([&] { return windows(pid, titlePattern).isEmpty(); }, timeoutMs);
}

QRect RealDesktop::geometry(const QString &window) const
{
    const QString info
        = QString::fromLocal8Bit(run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}));
    auto field = [&](const char *name) {
        const QRegularExpression pattern(QString::fromLatin1(name)
                                         + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"));
}

QPoint RealDesktop::clientOrigin(const QString &window) const
{
    return geometry(window).topLeft() + QPoint(0, clientTop_.value(window));
}

QString RealDesktop::title(const QString &window) const
{
    return QString::fromUtf8(
               run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window}))
        .trimmed();
}

QString RealDesktop::windowTree() const
{
    return QString::fromUtf8(
        run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}));
}

QString RealDesktop::property(const QString &window, const QString &name) const
{
    return QString::fromUtf8(run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, name}));
}

QPoint RealDesktop::pointer() const
{
    const QString where
        = QString::fromLatin1(run(QStringLiteral("xdotool"),
                                  {QStringLiteral("getmouselocation"), QStringLiteral("--shell")}));
    auto field = [&](const char *name) {
        const QRegularExpression pattern(
            QStringLiteral("(?m)^%1=(-?\\d+)$").arg(QString::fromLatin1(name)));
        return pattern.match(where).captured(1).toInt();
    };
    return QPoint(field("X"), field("Y"));
}

void RealDesktop::moveTo(const QString &window, QPoint client) const
{
    // xdotool's --sync waits for the pointer to leave where it was, which is
    // forever when it is already at the target.
    const QPoint target = clientOrigin(window) + client;
    if (pointer() == target)
        return;
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(target.x()),
             QString::number(target.y())});
}

void RealDesktop::click(int button) const
{
    xdotool({QStringLiteral("click"), QString::number(button)});
}

void RealDesktop::clickAt(const QString &window, QPoint client, int button) const
{
    moveTo(window, client);
    click(button);
}

void RealDesktop::press(int button) const
{
    xdotool({QStringLiteral("mousedown"), QString::number(button)});
}

void RealDesktop::release(int button) const
{
    xdotool({QStringLiteral("mouseup"), QString::number(button)});
}

void RealDesktop::key(const QString &window, const QString &keys) const
{
    xdotool(QStringList {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
                         QStringLiteral("key"), QStringLiteral("--clearmodifiers")}
            + keys.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

void RealDesktop::type(const QString &window, const QString &text) const
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
             QStringLiteral("type"), QStringLiteral("--clearmodifiers"), text});
}

void RealDesktop::focus(const QString &window) const
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
}

void RealDesktop::requestClose(const QString &window) const
{
    run(SystemPython, {QStringLiteral("-c"), QString::fromLatin1(CloseRequest), window});
}

QImage RealDesktop::screenshot(const QString &window) const
{
    const QByteArray png = run(QStringLiteral("import"),
                               {QStringLiteral("-window"), window, QStringLiteral("png:-")});
    QImage shot = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    // Plain screen pixels: a colour space tag would make equal pictures differ.
    shot.setColorSpace(QColorSpace());
    const int top = clientTop_.value(window);
    return top > 0 ? shot.copy(0, top, shot.width(), shot.height() - top) : shot;
}

QByteArray RealDesktop::clipboard(const QString &type) const
{
    return run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                         QStringLiteral("-t"), type, QStringLiteral("-o")});
}

void RealDesktop::setClipboard(const QString &type, const QString &file) const
{
    // xclip stays in the background to serve the selection until another
    // program takes it.
    QProcess xclip;
    xclip.setProcessEnvironment(environment());
    xclip.setStandardOutputFile(QProcess::nullDevice());
    xclip.setStandardErrorFile(QProcess::nullDevice());
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), type, QStringLiteral("-i"), file});
    xclip.waitForFinished();
}

bool RealDesktop::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(25);
    }
    return true;
}
