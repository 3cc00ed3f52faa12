#include "Editor.h"

#include "MapEdit.h"

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
{
    connect(&history_, &QUndoStack::cleanChanged, this, &Editor::mapSavedChanged);
}

// The stack empties itself as it goes, which is no change of the map to tell.
Editor::~Editor() { history_.disconnect(this); }

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
    history_.clear();
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

void Editor::setTools(ToolButtons tools)
{
    if (tools == tools_)
        return;
    tools_ = tools;
    emit toolsChanged();
}

void Editor::setMapSaved(bool saved)
{
    if (saved)
        history_.setClean();
    else
        history_.resetClean();
}

void Editor::changeMap(const QRect &rect, const QImage &pixels, bool shared)
{
    if (!rect.isEmpty() && Board::area().contains(rect) && pixels.size() == rect.size()) {
        const QImage before = board_.map().copy(rect);
        if (before != pixels.convertToFormat(QImage::Format_RGB32)) {
            // The stack shows the step at once: its first redo commits.
            history_.push(new MapEdit([this](const QImage &p, QPoint at) { showStep(p, at); },
                                      historyBytes_, rect.topLeft(), before, pixels, shared));
            trimHistory();
            return;
        }
    }
    CommitBoard();
}

void Editor::showStep(const QImage &pixels, QPoint topLeft)
{
    // While the history is built again its steps are already on the map.
    if (replaying_)
        return;
    if (!pixels.isNull())
        board_.putPixels(pixels, topLeft);
    CommitBoard();
}

void Editor::trimHistory()
{
    qsizetype bytes = historyBytes_;
    if (bytes <= HistoryLimit)
        return;
    // QUndoStack drops old steps only by count: the history is built again
    // without its oldest steps, down to three quarters of the limit so that
    // this is rare. A push leaves no step to redo.
    int dropped = 0;
    while (dropped < history_.count() - 1 && bytes > HistoryLimit / 4 * 3)
        bytes -= static_cast<const MapEdit *>(history_.command(dropped++))->bytes();
    QList<MapEdit *> kept;
    for (int i = dropped; i < history_.count(); ++i)
        kept.append(static_cast<const MapEdit *>(history_.command(i))->clone());
    const int clean = history_.cleanIndex() - dropped;
    const bool wasSaved = mapSaved();

    replaying_ = true;
    {
        const QSignalBlocker blocker(history_);
        history_.clear();
        for (int i = 0; i < kept.size(); ++i) {
            if (i == clean)
                history_.setClean();
            history_.push(kept[i]);
        }
        if (clean == kept.size())
            history_.setClean();
        else if (clean < 0)
            history_.resetClean();
    }
    replaying_ = false;
    // The stack's own signals were held back; after a push as before, it
    // can undo and not redo, and only the saved state may differ.
    if (mapSaved() != wasSaved)
        emit mapSavedChanged(mapSaved());
}

void Editor::openMap(const QImage &picture)
{
    board_.setMap(picture);
    history_.clear();
    history_.setClean();
}

void Editor::CommitBoard()
{
    QString reason;
    if (BitmapFiles::write(folder_.file(ProjectFiles::CommittedBoard), board_.map(),
                           FileRole::WorkingFile, &reason)) {
        workingFileWorked(ProjectFiles::CommittedBoard);
        flushBoard();
        emit mapChanged();
        return;
    }
    workingFileFailed(ProjectFiles::CommittedBoard, reason,
                      QStringLiteral("Votre plan est conservé en mémoire et vous pouvez "
                                     "continuer. Vérifiez que le dossier du programme est "
                                     "accessible en écriture, puis enregistrez votre projet."));
    flushBoard();
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
        QStringLiteral("Le fichier de travail « %1 » n'a pas pu être écrit :\n%2\n\n%3")
            .arg(QDir::toNativeSeparators(folder_.file(fileName)), reason, whatIsKept),
        ProgramName);
}

void Editor::workingFileWorked(const QString &fileName) { failedWorkingFiles_.remove(fileName); }
