// The editor's own start-up, ending right after the main window's first
// painted frame. The program folder is given as the only argument.

#include "app/Editor.h"
#include "platform/QtPlatform.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel Editor"));
    QtPlatform platform;
    Editor editor(platform.platform(), argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                : QCoreApplication::applicationDirPath());
    Form1 window(editor);
    platform.dialogs.setParentWindow(&window);
    if (!window.startUp())
        return 1;
    FirstPaint probe;
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
