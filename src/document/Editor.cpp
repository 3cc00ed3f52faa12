#include "Editor.h"

#include "bitmap/BitmapFiles.h"
#include "bitmap/FileReplace.h"
#include "output/PrintLayout.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "project/ProjectFiles.h"
#include "project/ProjectName.h"

#include <QDir>

const QString Editor::ProgramName = QStringLiteral("Vantorel Editor");
const QString Editor::CaptionPrefix = QStringLiteral("Vantorel Editor - Fichier actif :");

Editor::Editor(Platform platform, const QString &programFolder, QObject *parent)
    : QObject(parent), platform_(platform), folder_(programFolder), projectFolder_(folder_.path())
{}

void Editor::setProject(const QString &name, const QString &folder)
{
    projectName_ = name;
    projectFolder_ = QDir::cleanPath(folder);
}

QString Editor::projectFile(const QString &suffix) const
{
    return Files::resolve(projectFolder_, ProjectName::trimmed(projectName_) + suffix);
}

bool Editor::startUp(bool keepStartDocument)
{
    setCaptionForBitmap(ProjectFiles::StartProject + ProjectFiles::BitmapSuffix);
    if (!keepStartDocument && !renewStartDocument())
        return false;
    state_.PrintWidth = PrintLayout::StartWidth;
    state_.PrintHeight = PrintLayout::StartHeight;
    state_.CurrentTile = 1;
    state_.GridStep = Board::Step;
    state_.Mode = EditMode::Placement;
    return true;
}

bool Editor::renewStartDocument()
{
    // The start-up project's document is made anew at every start, so its copy
    // need not wait for the disk.
    QString reason;
    if (FileReplace::copy(folder_.file(ProjectFiles::Template),
                          folder_.file(ProjectFiles::StartDocument), FileRole::WorkingFile,
                          &reason))
        return true;
    platform_.dialogs.error(
        QStringLiteral("Impossible de copier le modèle de scénario « %1 » vers « %2 » :\n%3\n\n"
                       "Dossier du programme : %4\n\n"
                       "Vantorel Editor ne peut pas démarrer.")
            .arg(ProjectFiles::Template, ProjectFiles::StartDocument, reason,
                 folder_.displayPath(QString())),
        ProgramName);
    return false;
}

void Editor::setCaption(const QString &caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    emit captionChanged(caption_);
}

void Editor::setCaptionForBitmap(const QString &fileName)
{
    setCaption(CaptionPrefix + folder_.displayPath(fileName));
}

void Editor::setMapSaved(bool saved)
{
    if (saved == mapSaved_)
        return;
    mapSaved_ = saved;
    emit mapSavedChanged(saved);
}

void Editor::setTools(ToolButtons tools)
{
    if (tools == tools_)
        return;
    tools_ = tools;
    emit toolsChanged();
}

void Editor::CommitBoard()
{
    const QString path = folder_.file(ProjectFiles::CommittedBoard);
    QString reason;
    QImage readBack;
    bool asDisplayed = false;
    if (BitmapFiles::write(path, board_.displayed(), FileRole::WorkingFile, &reason))
        readBack = BitmapFiles::readBack(path, board_.displayed(), &asDisplayed, &reason);

    if (!readBack.isNull()) {
        board_.setCommitted(readBack, asDisplayed);
        workingFileWorked(ProjectFiles::CommittedBoard);
        setMapSaved(false);
        emit mapChanged();
        return;
    }

    // Nothing drawn may be lost: the map is kept in memory.
    board_.setCommitted(board_.displayed().copy(), true);
    workingFileFailed(ProjectFiles::CommittedBoard, reason,
                      QStringLiteral("Votre plan est conservé en mémoire et vous pouvez continuer. "
                                     "Vérifiez que le dossier du programme est accessible en "
                                     "écriture, puis enregistrez votre projet."));
    setMapSaved(false);
}

void Editor::flushBoard()
{
    const QRegion damage = board_.takeDamage();
    if (!damage.isEmpty())
        emit boardPainted(damage);
}

void Editor::workingFileFailed(const QString &fileName, const QString &reason,
                               const QString &whatIsKept)
{
    if (failedWorkingFiles_.contains(fileName))
        return;
    failedWorkingFiles_.insert(fileName);
    platform_.dialogs.warning(
        QStringLiteral("Le fichier de travail « %1 » n'a pas pu être écrit ou relu :\n%2\n\n%3")
            .arg(QDir::toNativeSeparators(folder_.file(fileName)), reason, whatIsKept),
        ProgramName);
}

void Editor::workingFileWorked(const QString &fileName) { failedWorkingFiles_.remove(fileName); }
