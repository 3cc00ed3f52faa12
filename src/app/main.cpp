#include "app/Editor.h"
#include "platform/QtPlatform.h"
#include "ui/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel Editor"));

    QtPlatform platform;
    Editor editor(platform.platform(), QCoreApplication::applicationDirPath());
    Form1 window(editor);
    platform.dialogs.setParentWindow(&window);
    if (!window.startUp())
        return 1;
    window.show();
    return app.exec();
}
