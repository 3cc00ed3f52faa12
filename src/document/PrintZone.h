#pragma once

#include <QColor>

class Editor;

// The print zone: the part of the board, from its top-left corner, that a
// print spreads over the page. The scroll bar sets its height; its width
// keeps the page's ratio. The board shows it as a thick red frame.
class PrintZone
{
public:
    static constexpr int Minimum = 100;
    static constexpr int Maximum = 544;
    static constexpr int SmallStep = 6;
    static constexpr int LargeStep = 10;
    static constexpr double Ratio = 1.415;
    static constexpr int FramePen = 3;
    static constexpr QRgb FrameColour = 0xffff0000;

    explicit PrintZone(Editor &editor);

    // The scroll bar's new value: the zone takes it, and the board shows its
    // picture with the frame alone.
    void setValue(int value);

    // Draws the frame again over whatever the board shows.
    void showFrame();

private:
    Editor &editor_;
};
