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
    // is only built meanwhile, and goes unseen when another editor holds it.
    lock_.begin();
    window_ = std::make_unique<Form1>(editor_);
    if (!lock_.take(editor_) || !ProgramFolderCheck::writable(editor_)) {
        window_.reset();
        return false;
    }
    platform_.dialogs.setParentWindow(window_.get());
    platform_.exports.setParentWindow(window_.get());
    if (!window_->startUp()) {
        window_.reset();
        return false;
    }
    window_->show();
    // The window is up before the map is read, so that the load message shows
    // over it; an opened map shows at once, the preview replayed over it as
    // the open dialog's close does.
    if (!file.isEmpty() && OpenCommand(editor_).openFile(file))
        window_->controller().activate();
    return true;
}
