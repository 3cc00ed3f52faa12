#pragma once

#include <QImage>

// The pictures of the main window. Each function paints one picture from scratch, with no
// font and no input but its size, so the same bytes come out on every machine.
namespace uiart {

// Face colour of the buttons, the background of the tool pictures.
constexpr QRgb buttonGrey = 0xffc0c0c0;

QImage paintSelectPicture(); // dashed selection rectangle with a small pointer, 32 x 32
QImage paintMovePicture(); // arrow pointer with a four-headed move cross, 32 x 32
QImage paintUndoPicture(); // curved arrow turning back down to the left, 32 x 32
QImage paintErasePicture(int size); // pencil rubbing out a scribble, 32 or 16, transparent

QImage paintBanner(); // the program's name over "EDITOR", 283 x 85
QImage paintIcon(int size); // a chrome V on a brown tile, square, transparent corners

} // namespace uiart
