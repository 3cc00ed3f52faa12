#pragma once

#include <QImage>

// The marker pictures that go on top of a map: arrows, triangles, symbols,
// letters and digits, black or grey on white. Each is drawn upright; the
// catalogue makes the other orientations by turning these.
namespace Markers {

QImage barWithSolidTriangle(); // 13 x 39, bar at the left, triangle pointing at it
QImage barWithHollowTriangle(); // 13 x 39
QImage bigArrow(); // 26 x 39, pointing right, bar across its tail
QImage bullseye(); // 13 x 13
QImage cross(); // 13 x 13
QImage ring(); // 13 x 13
QImage bowl(); // 13 x 13
QImage hatched(int width, int height);

// The bank of three compartments lying along its length, tabs on top.
QImage compartmentBank(int length, int depth);

// Letters A to D and digits 1 to 4, centred on one square.
QImage glyph(char c);

} // namespace Markers
