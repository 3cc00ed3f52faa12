#include "app/Editor.h"
#include "app/ProgramFolderCheck.h"
#include "platform/QtPlatform.h"
#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/UiArt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel Editor"));
    // Ties the window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.VantorelEditor"));
    QApplication::setWindowIcon(UiArt::programIcon());
    Fonts::installSubstitutes();

    QtPlatform platform;
    // The program folder is the executable's own, links resolved: started
    // through a link in a bin folder, the editor still works in its install.
    Editor editor(platform.platform(), QCoreApplication::applicationDirPath());
    if (!ProgramFolderCheck::writable(editor))
        return 1;
    Form1 window(editor);
    platform.dialogs.setParentWindow(&window);
    if (!window.startUp())
        return 1;
    window.show();
    return app.exec();
}
