#pragma once

#include <QImage>

class BoardController;
class Editor;

// "Copier" and "Coller": the map as a picture for any program, and a picture
// from any program as the piece to stamp. The clipboard itself belongs to
// the window; these work on the pictures.
namespace ClipboardCommand {

// The selected block while a selection is made, else the whole committed map.
QImage copied(const Editor &editor);

// Makes the picture the piece that placement stamps, as a block cut by the
// move tool is: its top-left part that fits on the board, over white where it
// is transparent. A selection under way is cancelled first, and the piece
// shows at once where the pointer or the keyboard last was. False for a
// picture with no pixels, which changes nothing.
bool paste(Editor &editor, BoardController &controller, const QImage &picture);

} // namespace ClipboardCommand
