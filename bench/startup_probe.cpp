// The editor's own start-up, ending right after the main window's first
// painted frame. The program folder is given as the only argument.

#include "app/EditorApplication.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Exit, not quit: a quit asks the windows to close, and the main
        // window answers a close with the exit question.
        // The window's content covers it whole: its first frame is the
        // first paint of any of its widgets, the rest of the frame
        // painted before the exit comes.
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget
            && widget->window()->objectName() == QLatin1String("Form1"))
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    EditorApplication::prepareMemory();
    QApplication app(argc, argv);
    FirstPaint probe;
    app.installEventFilter(&probe);
    EditorApplication::configure();
    EditorApplication editor(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                      : QCoreApplication::applicationDirPath());
    if (!editor.start())
        return 1;
    return app.exec();
}
