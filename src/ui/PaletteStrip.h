#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QRect>
#include <QWidget>

#include <optional>

class Editor;
class PaletteEntry;

// The palette at the window's left edge: the 43 palette entries at their
// frames, and the frame that marks the entry picked last, drawn on the
// strip's own background so that the entries cover whatever part of it falls
// under them. A click on an entry, or Enter or Space on the one that has the
// focus, picks it for the editor; the arrows walk the focus from entry to
// entry. The strip is one Tab stop: the entry picked or walked to last.
class PaletteStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PenWidth = 2;
    // 15000 as a 0x00BBGGRR value.
    static QColor frameColour() { return QColor(152, 58, 0); }

    // The outline of the frame round a palette entry, corner to corner, in
    // window pixels: from (L - 1, T - 1) to (L + W + 1, T + H + 1) for the
    // entry's outer rectangle L, T, W, H.
    static QRect outlineOf(int index);
    // The window pixels the frame's pen covers along an outline.
    static QRect paintedArea(const QRect &outline);

    explicit PaletteStrip(Editor &editor, QWidget *parent = nullptr);

    // The frame's outline in window pixels; nothing before the first pick.
    std::optional<QRect> outline() const;
    // The entry the frame marks; nothing before the first pick.
    std::optional<int> picked() const { return picked_; }

    // The entries in the strip's reading order, for the window's tab order.
    QList<QWidget *> entries() const;

public slots:
    // A click on palette entry i; false for an index no entry shows, which
    // changes nothing.
    bool pick(int index);
    // Moves the keyboard focus to palette entry i.
    void focusEntry(int index);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setTabStop(int index);
    // A rectangle in window pixels in the strip's own pixels.
    QRect local(const QRect &inWindow) const { return inWindow.translated(-pos()); }

    Editor &editor_;
    QHash<int, PaletteEntry *> entries_;
    std::optional<int> picked_;
    int tabStop_ = -1;
};
