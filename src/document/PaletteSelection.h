#pragma once

#include <QColor>
#include <QRect>

#include <optional>

class Editor;

// Picking a palette entry: it becomes the current tile with a fresh
// orientation cycle, and a frame is drawn round it on the main window's
// background. The frame is kept here; the window only draws it.
class PaletteSelection
{
public:
    static constexpr int PenWidth = 2;
    // 15000 as a 0x00BBGGRR value.
    static QColor frameColour() { return QColor(152, 58, 0); }

    explicit PaletteSelection(Editor &editor);

    // Picks a palette entry; false for any other index (the move buffer, an
    // orientation variant), which changes nothing.
    bool pick(int index);

    // The outline of the selection frame, corner to corner, in window pixels:
    // from (L - 1, T - 1) to (L + W + 1, T + H + 1) for the entry's outer
    // rectangle L, T, W, H. Nothing before the first pick.
    std::optional<QRect> outline() const { return outline_; }
    // The entry the frame marks, nothing before the first pick.
    std::optional<int> picked() const { return picked_; }

    // The window pixels the frame's pen covers, to repaint when it changes.
    static QRect paintedArea(const QRect &outline);
    // The frame round a palette entry.
    static QRect outlineOf(int index);

private:
    Editor &editor_;
    std::optional<QRect> outline_;
    std::optional<int> picked_;
};
