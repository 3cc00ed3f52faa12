// Saves the project "carte" again and again in the program folder given, each
// time after committing the other of two maps, and prints "saved" after each
// save. The atomicity test kills it at random moments.
#include "FakePlatform.h"
#include "SaveLoopBoards.h"
#include "document/Editor.h"
#include "document/SaveCommand.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: save_loop PROGRAM_FOLDER FIRST_MAP\n", stderr);
        return 2;
    }
    FakePlatform fake;
    Editor editor(fake.platform(), QString::fromLocal8Bit(argv[1]));
    if (!editor.startUp())
        return 3;
    const QImage boards[2] = {saveLoopBoard(0), saveLoopBoard(1)};
    for (int which = QByteArray(argv[2]).toInt() % 2;; which = 1 - which) {
        editor.board().setMap(boards[which]);
        editor.CommitBoard();
        fake.dialogs.promptAnswers.enqueue(QStringLiteral("carte"));
        // The first save of a new process replaces the "carte" of the last one:
        // the question it asks is the only box allowed.
        fake.dialogs.answers.clear();
        fake.dialogs.answers.enqueue(Dialogs::Answer::Yes);
        if (SaveCommand(editor).run() != SaveCommand::Result::Saved)
            return 4;
        fake.dialogs.messages.removeIf(
            [](const Dialogs::Message &box) { return box.buttons == Dialogs::Buttons::YesNo; });
        if (!fake.dialogs.messages.isEmpty())
            return 4;
        std::printf("saved %d\n", which);
        std::fflush(stdout);
    }
}
