#include "OpenCommand.h"

#include "Editor.h"
#include "bitmap/BitmapFiles.h"
#include "board/Board.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "project/ProjectBrowser.h"
#include "project/ProjectFiles.h"
#include "project/ProjectName.h"

#include <QDir>
#include <QFileInfo>

const QString OpenCommand::NothingChosenText = QStringLiteral("Vous devez sélectionnez un fichier");
const QString OpenCommand::LoadFailedText
    = QStringLiteral("Impossible de charger le fichier sélectionné!");

OpenCommand::OpenCommand(Editor &editor) : editor_(editor) {}

// The dialog may show the program folder through a link.
bool OpenCommand::isProgramFolder(const QString &folder) const
{
    const QString program = editor_.folder().path();
    if (QDir::cleanPath(folder) == program)
        return true;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(program).canonicalFilePath();
}

bool OpenCommand::confirm(const QString &nameText)
{
    if (!nameText.isEmpty())
        return true;
    editor_.platform().dialogs.message({NothingChosenText, ProjectBrowser::ErrorTitle,
                                        Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                        Dialogs::Answer::Ok});
    return false;
}

bool OpenCommand::open(const QString &fileName) { return open(editor_.folder().path(), fileName); }

bool OpenCommand::openFile(const QString &path)
{
    const QFileInfo file(path);
    return open(path.isEmpty() ? QString() : file.absolutePath(), file.fileName());
}

bool OpenCommand::open(const QString &shownFolder, const QString &typed)
{
    // A path typed in the name box, absolute or from the folder shown, names
    // its file: only that file's own name is cut at its first dot.
    QString folder = shownFolder;
    QString fileName = typed;
    if (!shownFolder.isEmpty() && typed.contains(QLatin1Char('/'))) {
        const QFileInfo file(QDir(shownFolder).filePath(typed));
        folder = QDir::cleanPath(file.absolutePath());
        fileName = file.fileName();
    }
    const QString project = ProjectName::ofFileName(fileName);
    const QString bitmap = project + ProjectFiles::BitmapSuffix;
    Platform &platform = editor_.platform();
    QString path;
    QImage picture;
    QString advice;
    if (!folder.isEmpty() && ProjectName::staysInFolder(bitmap)) {
        path = Files::resolve(folder, bitmap);
        QString reason;
        // Only what the board shows is read, however large the picture.
        picture = BitmapFiles::read(path, &reason, Board::area().size(), &advice);
    }
    if (picture.isNull()) {
        platform.dialogs.warning(
            advice.isEmpty() ? LoadFailedText : LoadFailedText + QStringLiteral("\n\n") + advice,
            ProjectBrowser::ErrorTitle);
        return false;
    }
    // The history of the map before belongs to another project.
    editor_.openMap(picture);

    if (isProgramFolder(folder)) {
        // The caption names the file read, in its own letter case.
        editor_.setCaptionForBitmap(QFileInfo(path).fileName());
        editor_.setProjectName(project);
    } else {
        editor_.setCaption(Editor::CaptionPrefix + QDir::toNativeSeparators(path));
        editor_.setProject(project, folder);
    }
    editor_.setMapSaved(true);
    return true;
}
