#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class Dialogs;
class FolderListing;

// What the open dialog shows, without its widgets: the drives, the folder
// tree of the current drive down to the current folder and its subfolders,
// the bitmaps of that folder and the name box. A drive or folder that cannot
// be read is told and the lists stay where they were.
class ProjectBrowser
{
public:
    // A row of the directory list: the current folder's ancestors from the
    // drive's root down, the current folder, then its subfolders.
    struct FolderRow {
        QString name;
        QString path;
        int depth = 0;
        bool operator==(const FolderRow &) const = default;
    };

    static const QString ErrorTitle;

    ProjectBrowser(FolderListing &listing, Dialogs &dialogs);

    // Shows the folder given, where the editor keeps its projects.
    void start(const QString &folder);

    const QStringList &drives() const { return drives_; }
    int driveIndex() const { return driveIndex_; }
    const QString &folder() const { return folder_; }
    const QList<FolderRow> &folderRows() const { return rows_; }
    // The row of the current folder in folderRows().
    int currentFolderRow() const { return currentRow_; }
    const QStringList &files() const { return files_; }
    int fileIndex() const { return fileIndex_; }
    const QString &nameText() const { return nameText_; }

    // The drive's folder last shown in this dialog, or its root.
    bool chooseDrive(int index);
    // A row of the directory list opened (double-click).
    bool openFolderRow(int row);
    bool openFolder(const QString &path);
    // An entry of the file list selected, -1 for none; the name box follows.
    void selectFile(int index);
    // The user typed in the name box: the list selects the entry of that
    // name, letter case aside, or none.
    void editName(const QString &text);

    // The file name the open reads: what the name box names.
    const QString &chosenFileName() const { return nameText_; }

    static bool isBitmapName(const QString &fileName);

private:
    int driveOf(const QString &path) const;
    // The entry the name box names, or -1.
    int entryNamed(const QString &text) const;
    // Lists a drive or folder; tells the user when it cannot be read.
    bool read(const QString &path, const QString &what, QStringList *folders, QStringList *files);

    FolderListing &listing_;
    Dialogs &dialogs_;
    QStringList drives_;
    int driveIndex_ = -1;
    QString folder_;
    QList<FolderRow> rows_;
    int currentRow_ = -1;
    QStringList files_;
    int fileIndex_ = -1;
    QString nameText_;
    QHash<QString, QString> lastFolderOnDrive_;
};
