#include "MoveTool.h"

#include "Editor.h"
#include "Selection.h"
#include "bitmap/BitmapFiles.h"
#include "platform/Dialogs.h"

#include <QDir>

const QString MoveTool::BlockFile = QStringLiteral("tiledeplace.bmp");

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
        editor_.catalogue().setMoveBuffer(fixBlock(cut));
        s.TileVariants = 0;
        s.CurrentTile = TileTable::MoveBufferIndex;
    }
    editor_.flushBoard();
    Selection::end(editor_);
}

QImage MoveTool::fixBlock(const QImage &block)
{
    const QString path = editor_.folder().file(BlockFile);
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
        blockFileWarned_ = false;
        return readBack;
    }

    if (!blockFileWarned_) {
        blockFileWarned_ = true;
        editor_.platform().dialogs.warning(
            QStringLiteral("Le fichier de travail « %1 » n'a pas pu être écrit ou relu :\n%2\n\n"
                           "Le bloc découpé est conservé en mémoire : vous pouvez le poser sur "
                           "le plan comme prévu. Vérifiez que le dossier du programme est "
                           "accessible en écriture.")
                .arg(QDir::toNativeSeparators(path), reason),
            QStringLiteral("Vantorel Editor"));
    }
    return block;
}
