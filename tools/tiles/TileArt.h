#pragma once

#include <QImage>

#include <vector>

// The artwork of the tile catalogue: one picture for each entry 1..97 at the
// size the catalogue table gives it. A palette entry is drawn; each of its
// orientation variants is the previous picture turned a quarter turn.
namespace TileArt {

// Element i is the picture of entry i; element 0, the move buffer, is null.
std::vector<QImage> drawAll();

} // namespace TileArt
