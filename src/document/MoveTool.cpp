#include "MoveTool.h"

#include "Editor.h"
#include "Selection.h"
#include "bitmap/BitmapFiles.h"
#include "project/ProjectFiles.h"

MoveTool::MoveTool(Editor &editor) : editor_(editor) {}

void MoveTool::press()
{
    EditorState &s = editor_.state();
    if (s.Mode != EditMode::SelectionMade)
        return;
    BoardModel &board = editor_.board();
    const QRect block = Selection::block(s);
    if (block.isEmpty()) {
        // Nothing to cut: the rectangle goes, the current tile stays.
        board.setPicture(board.committed());
    } else {
        // Cut from the committed board, which holds the map without the
        // selection rectangle, before its area is blanked.
        const QImage cut = board.committed().copy(block);
        Selection::blankAndCommit(editor_, block);
        takePiece(cut);
    }
    editor_.flushBoard();
    Selection::end(editor_);
}

void MoveTool::takePiece(const QImage &block)
{
    editor_.catalogue().setMoveBuffer(fixBlock(block));
    EditorState &s = editor_.state();
    s.TileVariants = 0;
    s.CurrentTile = TileTable::MoveBufferIndex;
}

QImage MoveTool::fixBlock(const QImage &block)
{
    const QString path = editor_.folder().file(ProjectFiles::MovedBlock);
    QString reason;
    QImage readBack;
    if (BitmapFiles::write(path, block, FileRole::WorkingFile, &reason)) {
        readBack = BitmapFiles::read(path, &reason);
        if (!readBack.isNull() && readBack.size() != block.size()) {
            readBack = QImage();
            reason = QStringLiteral("l'image relue n'a pas la taille du bloc découpé");
        }
    }
    if (!readBack.isNull()) {
        editor_.workingFileWorked(ProjectFiles::MovedBlock);
        return readBack;
    }
    editor_.workingFileFailed(ProjectFiles::MovedBlock, reason,
                              QStringLiteral("Le bloc découpé est conservé en mémoire : vous "
                                             "pouvez le poser sur le plan comme prévu. Vérifiez "
                                             "que le dossier du programme est accessible en "
                                             "écriture."));
    return block;
}
