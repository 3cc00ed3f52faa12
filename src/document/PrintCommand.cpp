#include "PrintCommand.h"

#include "Editor.h"
#include "output/PrintLayout.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"

namespace {

const QString Title = QStringLiteral("Impression");

} // namespace

PrintCommand::Page PrintCommand::page(const Editor &editor)
{
    const EditorState &s = editor.state();
    return {editor.board().map(), PrintLayout::targetTwips(s.PrintWidth, s.PrintHeight)};
}

PrintCommand::PrintCommand(Editor &editor) : editor_(editor) {}

bool PrintCommand::run()
{
    Platform &platform = editor_.platform();
    if (!platform.printer.hasDefaultPrinter()) {
        platform.dialogs.warning(
            QStringLiteral("Aucune imprimante par défaut n'est installée.\n\n"
                           "Installez une imprimante ou choisissez-en une par défaut, "
                           "puis relancez l'impression. Votre plan n'a pas changé."),
            Title);
        return false;
    }
    const Page printed = page(editor_);
    QString reason;
    if (platform.printer.printLandscape(printed.picture, printed.targetTwips, &reason))
        return true;
    platform.dialogs.warning(
        QStringLiteral("L'impression du plan a échoué :\n%1\n\nVotre plan n'a pas changé.")
            .arg(reason),
        Title);
    return false;
}
