#pragma once

#include <QImage>
#include <QString>

class Editor;

// The move button: cuts the selected block out of the map into the move
// buffer, blanks its area as one step of the history, and makes the block
// the tile that placement stamps.
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
    // Leaves the block in its working file; the move buffer holds it in memory.
    void keepBlock(const QImage &block);

    Editor &editor_;
};
