#include "ClipboardCommand.h"

#include "BoardController.h"
#include "Editor.h"
#include "MoveTool.h"
#include "Selection.h"

#include <QPainter>

QImage ClipboardCommand::copied(const Editor &editor)
{
    const QImage &map = editor.board().map();
    if (editor.state().Mode == EditMode::SelectionMade) {
        const QRect block = Selection::block(editor.state());
        if (!block.isEmpty())
            return map.copy(block);
    }
    return map;
}

bool ClipboardCommand::paste(Editor &editor, BoardController &controller, const QImage &picture)
{
    if (picture.isNull())
        return false;
    if (editor.state().Mode != EditMode::Placement)
        controller.character(BoardController::EscapeCode);
    const QRect fits = picture.rect().intersected(Board::area());
    QImage piece(fits.size(), QImage::Format_RGB32);
    piece.fill(Qt::white);
    QPainter painter(&piece);
    painter.drawImage(QPoint(0, 0), picture, fits);
    painter.end();
    MoveTool(editor).takePiece(piece);
    controller.replayAtKeyboard();
    return true;
}
