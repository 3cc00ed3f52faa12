#pragma once

#include "BoardModel.h"
#include "EditorState.h"
#include "ProgramFolder.h"
#include "catalogue/TileCatalogue.h"
#include "platform/Platform.h"
#include "project/ProjectFiles.h"

#include <QObject>
#include <QRegion>
#include <QSet>
#include <QString>
#include <QUndoStack>

// The editor's document: the state record, the map with its history, the
// tile catalogue, the active project and the enabled states of the tool
// buttons. Commands work on it; widgets show it and follow its signals.
class Editor : public QObject
{
    Q_OBJECT

public:
    // The program's name, the title of its own message boxes.
    static const QString ProgramName;
    static const QString CaptionPrefix;

    struct ToolButtons {
        bool select = true;
        bool move = false;
        bool erase = false;
        bool operator==(const ToolButtons &) const = default;
    };

    Editor(Platform platform, const QString &programFolder, QObject *parent = nullptr);
    ~Editor() override;

    // Caption, scenario document of the start-up project and start values of
    // the state. False when the template could not be copied: the user has
    // been told and the editor must not open.
    bool startUp(bool keepStartDocument = false);
    // Copies the template over the start-up project's scenario document. False
    // when it could not: the user has been told and the editor must not open.
    bool renewStartDocument();

    EditorState &state() { return state_; }
    const EditorState &state() const { return state_; }
    BoardModel &board() { return board_; }
    const BoardModel &board() const { return board_; }
    TileCatalogue &catalogue() { return catalogue_; }
    const TileCatalogue &catalogue() const { return catalogue_; }
    const ProgramFolder &folder() const { return folder_; }
    Platform &platform() { return platform_; }

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);
    // The caption naming a bitmap of the program folder as the active file.
    void setCaptionForBitmap(const QString &fileName);

    // The active project name, kept exactly as given.
    const QString &projectName() const { return projectName_; }
    // The folder that holds the active project's bitmap and scenario
    // document: the program folder, or the folder a map was opened from.
    const QString &projectFolder() const { return projectFolder_; }
    bool projectInProgramFolder() const { return projectFolder_ == folder_.path(); }
    // Makes a project of the program folder the active one.
    void setProjectName(const QString &name) { setProject(name, folder_.path()); }
    void setProject(const QString &name, const QString &folder);
    // The path of the active project's file with that suffix (".bmp",
    // ".doc"): its trimmed name in its folder, whatever the letter case.
    QString projectFile(const QString &suffix) const;

    // The folder the user last exported into; empty before the first export.
    const QString &exportFolder() const { return exportFolder_; }
    void setExportFolder(const QString &folder) { exportFolder_ = folder; }

    ToolButtons tools() const { return tools_; }
    void setTools(ToolButtons tools);

    // The steps the map went through since the start or the last open.
    QUndoStack &history() { return history_; }
    // Whether the map is the one last saved or opened: the history is at
    // its clean index.
    bool mapSaved() const { return history_.isClean(); }
    void setMapSaved(bool saved);
    // A step's memory is counted, the oldest steps go past this.
    static constexpr qsizetype HistoryLimit = qsizetype(64) << 20;
    qsizetype historyBytes() const { return historyBytes_; }

    // An edit: the rectangle of the map takes these pixels, as a step of
    // the history when any pixel changes, and the map is committed. Shared
    // pixels are a picture kept elsewhere for good, a catalogue tile: the
    // step keeps them as they are.
    void changeMap(const QRect &rect, const QImage &pixels, bool shared = false);
    // The map of an opened project, with an empty history, saved.
    void openMap(const QImage &picture);

    // Mirrors the map in "demo.bmp", for other programs to read. When the
    // file fails the map stays in memory and the user is warned, once until
    // a commit succeeds again.
    void CommitBoard();

    // Hands what changed on the board's look to whoever shows it.
    void flushBoard();

    // A working file of the program folder ("demo.bmp", the moved block)
    // could not be written: the user is told what is kept
    // instead, once until that file works again, so that a full disk does not
    // bring up a box at every stamp.
    void workingFileFailed(const QString &fileName, const QString &reason,
                           const QString &whatIsKept);
    void workingFileWorked(const QString &fileName);

signals:
    void captionChanged(const QString &caption);
    void toolsChanged();
    void boardPainted(const QRegion &region);
    void mapSavedChanged(bool saved);
    // After each stamp, erase, move, undo and redo, once "demo.bmp" holds it.
    void mapChanged();

private:
    void trimHistory();
    void showStep(const QImage &pixels, QPoint topLeft);

    Platform platform_;
    ProgramFolder folder_;
    EditorState state_;
    BoardModel board_;
    TileCatalogue catalogue_;
    QString caption_;
    QString projectName_ = ProjectFiles::StartProject;
    QString projectFolder_;
    ToolButtons tools_;
    QSet<QString> failedWorkingFiles_;
    QString exportFolder_;
    qsizetype historyBytes_ = 0; // before the stack, which its steps update
    QUndoStack history_;
    bool replaying_ = false;
};
