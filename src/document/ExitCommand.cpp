#include "ExitCommand.h"

#include "Editor.h"
#include "UnsavedMapGuard.h"
#include "platform/Dialogs.h"

const QString ExitCommand::Question
    = QStringLiteral("Etes vous sur de vouloir quitter Vantorel Editor ?");
const QString ExitCommand::Title = QStringLiteral("Quitter Vantorel Editor");

ExitCommand::ExitCommand(Editor &editor) : editor_(editor) {}

bool ExitCommand::run()
{
    if (!editor_.mapSaved())
        return UnsavedMapGuard::mayDropMap(editor_);
    Platform &platform = editor_.platform();
    const Dialogs::Answer answer = platform.dialogs.message(
        {Question, Title, Dialogs::Buttons::YesNo, Dialogs::Icon::None, Dialogs::Answer::Yes});
    return answer == Dialogs::Answer::Yes;
}
