#pragma once

class Editor;

// The print-zone scroll bar and the pointer over the print frame: the zone
// takes the bar's value, and the board shows it as a thick red frame.
class PrintZone
{
public:
    explicit PrintZone(Editor &editor);

    // The scroll bar's new value: the zone takes it, and the board shows its
    // picture with the frame alone.
    void setValue(int value);

    // Draws the frame again over whatever the board shows.
    void showFrame();

private:
    Editor &editor_;
};
