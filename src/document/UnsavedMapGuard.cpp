#include "UnsavedMapGuard.h"

#include "Editor.h"
#include "SaveCommand.h"
#include "platform/Dialogs.h"
#include "project/ProjectName.h"

namespace UnsavedMapGuard {

QString question(const Editor &editor)
{
    return QStringLiteral("Les modifications du plan du projet « %1 » ne sont pas "
                          "enregistrées.\n\nVoulez-vous les enregistrer ?")
        .arg(ProjectName::trimmed(editor.projectName()));
}

bool mayDropMap(Editor &editor)
{
    if (editor.mapSaved())
        return true;
    const Dialogs::Answer answer = editor.platform().dialogs.message(
        {question(editor), Editor::ProgramName, Dialogs::Buttons::SaveDiscardCancel,
         Dialogs::Icon::Exclamation, Dialogs::Answer::Save});
    switch (answer) {
    case Dialogs::Answer::Discard:
        return true;
    case Dialogs::Answer::Save:
        return SaveCommand(editor).run() == SaveCommand::Result::Saved && editor.mapSaved();
    default:
        return false;
    }
}

} // namespace UnsavedMapGuard
