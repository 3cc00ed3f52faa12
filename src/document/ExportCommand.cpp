#include "ExportCommand.h"

#include "Editor.h"
#include "PrintCommand.h"
#include "output/MapExport.h"
#include "platform/Dialogs.h"
#include "platform/ExportDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QString ExportCommand::ImageTitle = QStringLiteral("Exporter en image");
const QString ExportCommand::PdfTitle = QStringLiteral("Exporter en PDF");
const QString ExportCommand::PngSuffix = QStringLiteral(".png");
const QString ExportCommand::PdfSuffix = QStringLiteral(".pdf");

ExportCommand::ExportCommand(Editor &editor) : editor_(editor) {}

QString ExportCommand::proposedPath(const QString &suffix) const
{
    QString folder = editor_.exportFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(folder).filePath(editor_.projectName().trimmed() + suffix);
}

QString ExportCommand::pickFile(const QString &title, const QString &suffix, const QString &filter)
{
    QString path = editor_.platform().exports.saveFileName(title, proposedPath(suffix), filter);
    if (path.isEmpty())
        return {};
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    editor_.setExportFolder(QFileInfo(path).absolutePath());
    return path;
}

bool ExportCommand::done(bool written, const QString &path, const QString &reason,
                         const QString &title)
{
    if (written)
        return true;
    editor_.platform().dialogs.warning(
        QStringLiteral("Le fichier « %1 » n'a pas pu être écrit :\n%2\n\n"
                       "Un fichier existant de ce nom est resté tel quel.")
            .arg(QDir::toNativeSeparators(path), reason),
        title);
    return false;
}

bool ExportCommand::exportImage()
{
    const int scale
        = editor_.platform().exports.chooseScale(MapExport::DefaultScale, MapExport::MaximumScale);
    if (scale < 1 || scale > MapExport::MaximumScale)
        return false;
    const QString path = pickFile(ImageTitle, PngSuffix, QStringLiteral("Images PNG (*.png)"));
    if (path.isEmpty())
        return false;
    QString reason;
    const bool written
        = MapExport::writePng(path, MapExport::scaled(editor_.board().map(), scale), &reason);
    return done(written, path, reason, ImageTitle);
}

bool ExportCommand::exportPdf()
{
    const QString path = pickFile(PdfTitle, PdfSuffix, QStringLiteral("Documents PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    const PrintCommand::Page page = PrintCommand::page(editor_);
    QString reason;
    const bool written = MapExport::writePdf(path, page.picture, page.targetTwips, &reason);
    return done(written, path, reason, PdfTitle);
}
