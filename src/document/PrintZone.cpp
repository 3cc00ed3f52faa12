#include "PrintZone.h"

#include "Editor.h"

#include <QtGlobal>

PrintZone::PrintZone(Editor &editor) : editor_(editor) {}

void PrintZone::setValue(int value)
{
    const int v = qBound(Minimum, value, Maximum);
    EditorState &s = editor_.state();
    s.PrintWidth = v * Ratio;
    s.PrintHeight = qint16(v);
    editor_.board().clearDrawings();
    showFrame();
}

void PrintZone::showFrame()
{
    const EditorState &s = editor_.state();
    editor_.setPenWidth(FramePen);
    editor_.board().drawRectangle(QPointF(0, 0), QPointF(s.PrintWidth, s.PrintHeight),
                                  QColor::fromRgb(FrameColour), editor_.penWidth());
    editor_.setPenWidth(1);
    editor_.flushBoard();
}
