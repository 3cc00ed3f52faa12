#pragma once

class Editor;

// The "&Print" button: the map, without what is drawn over it, on one landscape page of
// the default printer, scaled so that the print zone covers the page.
class PrintCommand
{
public:
    explicit PrintCommand(Editor &editor);

    // True when the page went to the printer; otherwise the user was told why.
    bool run();

private:
    Editor &editor_;
};
