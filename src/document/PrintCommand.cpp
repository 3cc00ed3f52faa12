#include "PrintCommand.h"

#include "Editor.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"

namespace {

const QString Title = QStringLiteral("Impression");

} // namespace

QRectF PrintCommand::targetTwips(double printWidth, qint16 printHeight)
{
    // A zone never set yet prints as the start-up zone.
    const double width = printWidth > 0 ? printWidth : 770;
    const double height = printHeight > 0 ? printHeight : 544;
    return QRectF(Offset, Offset, CanvasWidth * 20.0 * PageWidth / width,
                  CanvasHeight * 20.0 * PageHeight / height);
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
    const EditorState &s = editor_.state();
    // The committed board is the map as the user last changed it; the board
    // picture can still lag behind it after a move or an erase.
    QString reason;
    if (platform.printer.printLandscape(editor_.board().committed(),
                                        targetTwips(s.PrintWidth, s.PrintHeight), &reason))
        return true;
    platform.dialogs.warning(
        QStringLiteral("L'impression du plan a échoué :\n%1\n\nVotre plan n'a pas changé.")
            .arg(reason),
        Title);
    return false;
}
