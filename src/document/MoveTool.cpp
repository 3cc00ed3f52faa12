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
    const QRect block = Selection::block(s);
    if (block.isEmpty()) {
        // Nothing to cut: the rectangle goes, the current tile stays.
        editor_.board().clearDrawings();
    } else {
        const QImage cut = editor_.board().map().copy(block);
        Selection::blank(editor_, block);
        takePiece(cut);
    }
    editor_.flushBoard();
    Selection::end(editor_);
}

void MoveTool::takePiece(const QImage &block)
{
    keepBlock(block);
    editor_.catalogue().setMoveBuffer(block);
    EditorState &s = editor_.state();
    s.TileVariants = 0;
    s.CurrentTile = TileTable::MoveBufferIndex;
}

void MoveTool::keepBlock(const QImage &block)
{
    QString reason;
    if (BitmapFiles::write(editor_.folder().file(ProjectFiles::MovedBlock), block,
                           FileRole::WorkingFile, &reason)) {
        editor_.workingFileWorked(ProjectFiles::MovedBlock);
        return;
    }
    editor_.workingFileFailed(ProjectFiles::MovedBlock, reason,
                              QStringLiteral("Le bloc découpé est conservé en mémoire : vous "
                                             "pouvez le poser sur le plan comme prévu. Vérifiez "
                                             "que le dossier du programme est accessible en "
                                             "écriture."));
}
