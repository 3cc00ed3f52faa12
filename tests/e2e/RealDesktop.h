#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// A private X server for one test program, and the tools that drive the
// windows on it as a user does: find a window by its title, move the pointer,
// click, type, take a picture of a window. Window positions are client
// coordinates of the window, as the program itself measures them.
class RealDesktop
{
public:
    static constexpr int DefaultTimeout = 20000; // ms
    // The displays these tests may take.
    static constexpr int FirstDisplay = 80;
    static constexpr int LastDisplay = 89;

    RealDesktop() = default;
    ~RealDesktop();
    RealDesktop(const RealDesktop &) = delete;
    RealDesktop &operator=(const RealDesktop &) = delete;

    // Starts Xvfb on the first display of the range no one uses yet; false,
    // with the reasons, when none is free or the server or one of the tools
    // is missing.
    bool start(QString *error);
    const QString &display() const { return display_; }
    // Kills the server, as a crash of the display does to its programs.
    void killServer();

    // The environment for a program shown on this desktop.
    QProcessEnvironment environment() const;

    // The visible windows of the process whose title matches the regular
    // expression, as they are now.
    QStringList windows(qint64 pid, const QString &titlePattern) const;
    // The first such window, waiting for it to appear; empty when none does.
    QString waitForWindow(qint64 pid, const QString &titlePattern,
                          int timeoutMs = DefaultTimeout) const;
    // Waits until the process shows no such window any more.
    bool waitForNoWindow(qint64 pid, const QString &titlePattern,
                         int timeoutMs = DefaultTimeout) const;
    // The window's client area on the screen.
    QRect geometry(const QString &window) const;
    // A menu bar of that height lies over the window's content: pointer
    // positions and screenshots of the window count from below it.
    void setClientTop(const QString &window, int pixels) { clientTop_[window] = pixels; }
    // Where those positions count from on the screen.
    QPoint clientOrigin(const QString &window) const;
    QString title(const QString &window) const;
    // Every window on the screen with its title and place, for a failure
    // report.
    QString windowTree() const;
    // A window property as xprop prints it ("_NET_WM_ICON", "WM_CLASS").
    QString property(const QString &window, const QString &name) const;

    // Where the pointer is on the screen.
    QPoint pointer() const;
    void moveTo(const QString &window, QPoint client) const;
    // Presses and releases a button where the pointer is: 1 left, 3 right.
    void click(int button = 1) const;
    void clickAt(const QString &window, QPoint client, int button = 1) const;
    // Presses, or releases, a button where the pointer is, for a drag.
    void press(int button = 1) const;
    void release(int button = 1) const;
    // Keys by their X names, blank-separated ("Return", "alt+s", "Tab Home"),
    // typed with the window holding the keyboard focus. The keyboard is a
    // French one, so text typed holds the letters of French names.
    void key(const QString &window, const QString &keys) const;
    void type(const QString &window, const QString &text) const;

    // Gives the window the keyboard focus, as a window manager does when a
    // box of the window's program closes.
    void focus(const QString &window) const;
    // Asks the window to close as a window manager does, with the
    // WM_DELETE_WINDOW message of its title-bar button, Alt+F4 or a logout.
    void requestClose(const QString &window) const;

    // What the window shows, read back from the screen.
    QImage screenshot(const QString &window) const;

    // The desktop's clipboard in that format ("image/png"), as xclip reads
    // it, or filled with the file's bytes.
    QByteArray clipboard(const QString &type) const;
    void setClipboard(const QString &type, const QString &file) const;

    // Polls the condition until it holds or the time is up.
    static bool waitUntil(const std::function<bool()> &condition, int timeoutMs = DefaultTimeout);

private:
    bool startServer(int number, QString *error);
    bool useFrenchKeyboard(QString *error);
    QByteArray run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;
    void xdotool(const QStringList &arguments) const;

    QProcess server_;
    QString display_;
    QHash<QString, int> clientTop_;
};
