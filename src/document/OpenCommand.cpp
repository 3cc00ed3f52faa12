#include "OpenCommand.h"

#include "Editor.h"
#include "bitmap/BitmapFiles.h"
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

bool OpenCommand::open(const QString &folder, const QString &fileName)
{
    const QString project = ProjectName::ofFileName(fileName);
    const QString bitmap = project + ProjectFiles::BitmapSuffix;
    Platform &platform = editor_.platform();
    QString path;
    QImage picture;
    if (!folder.isEmpty() && ProjectName::staysInFolder(bitmap)) {
        path = Files::resolve(folder, bitmap);
        QString reason;
        picture = BitmapFiles::read(path, &reason);
    }
    if (picture.isNull()) {
        platform.dialogs.warning(LoadFailedText, ProjectBrowser::ErrorTitle);
        return false;
    }
    // The history of the map before belongs to another project.
    editor_.openMap(picture);

    if (isProgramFolder(folder)) {
        editor_.setCaptionForBitmap(bitmap);
        editor_.setProjectName(project);
    } else {
        editor_.setCaption(Editor::CaptionPrefix + QDir::toNativeSeparators(path));
        editor_.setProject(project, folder);
    }
    return true;
}
