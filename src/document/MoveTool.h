#pragma once

#include <QImage>
#include <QString>

class Editor;

// The move button: cuts the selected block out of the board into the move
// buffer, blanks its area, commits the board and makes the block the tile
// that placement stamps.
class MoveTool
{
public:
    explicit MoveTool(Editor &editor);

    // Acts only when a selection is made.
    void press();

    // Makes the block the piece that placement stamps, as a cut block is:
    // mirrored in its working file, with no further orientation.
    void takePiece(const QImage &block);

private:
    // The block as read back from its working file, or the block itself when
    // the file fails.
    QImage fixBlock(const QImage &block);

    Editor &editor_;
};
