// The whole editor on the offscreen platform, with the real way of ending
// the process: it stamps a tile, presses "&EXIT", answers "&Ne pas
// enregistrer", and asks for a second stamp that must never come. Its exit status is the editor's.
#include "EditorHarness.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void stampBlock(Form1 &form, QPointF at)
{
    pickSolidTile(form.editor(), qRgb(0, 0, 255));
    form.controller().pointerMove(Qt::NoButton, at);
    form.controller().buttonPress(Qt::LeftButton, at);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: exit_editor PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    FakePlatform fake;
    fake.dialogs.answers.enqueue(Dialogs::Answer::Discard);
    Editor editor(fake.platform(), QString::fromLocal8Bit(argv[1]));
    Form1 form(editor);
    if (!form.startUp())
        return 3;
    form.show();

    QTimer::singleShot(0, &form, [&form] {
        stampBlock(form, QPointF(26, 26));
        form.Command2->click();
        QMetaObject::invokeMethod(
            &form, [&form] { stampBlock(form, QPointF(260, 260)); }, Qt::QueuedConnection);
    });
    return app.exec();
}
