#pragma once

#include <QFont>

// The three faces the window asks for by name, and the free look-alikes that
// stand in for them where the machine lacks them.
namespace Fonts {

inline constexpr const char *Comic = "Comic Sans MS";
inline constexpr const char *SansSerif = "MS Sans Serif";
inline constexpr const char *Narrow = "Arial Narrow";

// A control's font: the face by name, the size in points, bold or regular.
QFont face(const char *family, double points, bool bold = false);

// The font of a caption fixed in the program, whose every character the face
// has: the face alone is loaded, without the others that would stand in for
// characters it lacks, which is most of the cost of a new font at start-up.
QFont caption(const char *family, double points, bool bold = false);

// The font of controls that have none of their own.
QFont standard();

// Maps the requested faces to installed look-alikes. Call once before the
// first window is built; calling again changes nothing.
void installSubstitutes();

} // namespace Fonts
