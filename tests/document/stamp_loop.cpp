// Starts an editor on the program folder given as the application starts it
// (a map left unsaved is declined), then stamps random tiles at random places
// and saves the project "carte" now and then, until killed. Before each step
// it prints what it is about to do ("next HASH" with the map a stamp makes,
// "saving"), after it what it did ("changed", "saved").
#include "FakePlatform.h"
#include "StampLoopMaps.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/MapRecovery.h"
#include "document/SaveCommand.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

namespace {

void say(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: stamp_loop PROGRAM_FOLDER SEED\n", stderr);
        return 2;
    }
    FakePlatform fake;
    Editor editor(fake.platform(), QString::fromLocal8Bit(argv[1]));
    MapRecovery recovery(editor);
    recovery.find();
    if (!editor.startUp(recovery.keepsStartDocument()) || !recovery.settle())
        return 3;
    QRandomGenerator random(QByteArray(argv[2]).toUInt());
    for (;;) {
        if (random.bounded(4) == 0) {
            say("saving");
            fake.dialogs.promptAnswers.enqueue(QStringLiteral("carte"));
            // Replacing the "carte" of the last round asks first.
            fake.dialogs.answers.clear();
            fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);
            if (SaveCommand(editor).run() != SaveCommand::Result::Saved)
                return 4;
            say("saved");
            continue;
        }
        BoardController board(editor);
        editor.state().CurrentTile = int(random.bounded(1, 98));
        const QPointF at(random.bounded(Board::Width), random.bounded(Board::Height));
        board.pointerMove(Qt::NoButton, at);
        say("next " + mapHash(editor.board().displayed()));
        board.buttonPress(Qt::LeftButton, at);
        say("changed");
    }
}
