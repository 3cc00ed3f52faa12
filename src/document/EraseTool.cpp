#include "EraseTool.h"

#include "Editor.h"
#include "Selection.h"

EraseTool::EraseTool(Editor &editor) : editor_(editor) {}

void EraseTool::press()
{
    EditorState &s = editor_.state();
    if (s.Mode == EditMode::SelectionMade) {
        const QRect block = Selection::block(s);
        if (block.isEmpty())
            editor_.board().clearDrawings(); // only the rectangle goes
        else
            Selection::blank(editor_, block);
        editor_.flushBoard();
    }
    Selection::end(editor_);
}
