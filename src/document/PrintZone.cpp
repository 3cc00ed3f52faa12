#include "PrintZone.h"

#include "Editor.h"
#include "output/PrintLayout.h"

#include <QtGlobal>

PrintZone::PrintZone(Editor &editor) : editor_(editor) {}

void PrintZone::setValue(int value)
{
    const int v = qBound(PrintLayout::MinimumHeight, value, PrintLayout::MaximumHeight);
    EditorState &s = editor_.state();
    s.PrintWidth = v * PrintLayout::Ratio;
    s.PrintHeight = qint16(v);
    editor_.board().clearDrawings();
    showFrame();
}

void PrintZone::showFrame()
{
    const EditorState &s = editor_.state();
    editor_.board().drawRectangle(QPointF(0, 0), QPointF(s.PrintWidth, s.PrintHeight),
                                  QColor::fromRgb(PrintLayout::FrameColour), PrintLayout::FramePen);
    editor_.flushBoard();
}
