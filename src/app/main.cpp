#include "app/Editor.h"
#include "platform/QtPlatform.h"
#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/UiArt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel Editor"));
    QApplication::setWindowIcon(UiArt::programIcon());
    Fonts::installSubstitutes();

    QtPlatform platform;
    Editor editor(platform.platform(), QCoreApplication::applicationDirPath());
    Form1 window(editor);
    platform.dialogs.setParentWindow(&window);
    if (!window.startUp())
        return 1;
    window.show();
    return app.exec();
}
