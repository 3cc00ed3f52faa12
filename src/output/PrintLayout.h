#pragma once

#include <QRectF>
#include <QRgb>
#include <QtGlobal>

// The print zone and the page it is printed on. The zone is the part of the
// board, from its top-left corner, that a print spreads over the page: the
// scroll bar sets its height in board pixels, and its width keeps the page's
// ratio. The board shows it as a thick red frame.
namespace PrintLayout {

// The zone before the scroll bar is first used: 544 x 1.415 = 769.76, whose
// nearest whole number is 770.
inline constexpr int StartWidth = 770;
inline constexpr int StartHeight = 544;
// The scroll bar's range and steps, in pixels of height.
inline constexpr int MinimumHeight = 100;
inline constexpr int MaximumHeight = StartHeight;
inline constexpr int SmallStep = 6;
inline constexpr int LargeStep = 10;
// Width over height, exactly.
inline constexpr double Ratio = 1.415;

inline constexpr int FramePen = 3;
inline constexpr QRgb FrameColour = 0xffff0000;

// Where the zone lands on the page, in points, and the page's margin in
// twips (1/1440 inch) from the printable area's corner.
inline constexpr int PageWidth = 804;
inline constexpr int PageHeight = 545;
inline constexpr int Offset = 20;

// The rectangle of the page, in twips, that the board canvas is stretched
// into for that zone.
QRectF targetTwips(double printWidth, qint16 printHeight);

} // namespace PrintLayout
