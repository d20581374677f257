#pragma once
// The ten tile pictures, 20 x 20 pixels each, picture i for tile code i, read from the XPM
// text in pictures/ (their one home: the editor's images are made from these pixels).
// Every pixel is fully opaque or fully transparent (0, transparent black): a colour
// picture and a one-bit mask.

#include <span>
#include <stdexcept>

#include "model/Tiles.h"
#include "picture/Picture.h"

namespace quarvel {

// One picture for each of the kTileCount tiles of model/Tiles.h.
constexpr int kTilePictureSize = 20;

// The picture of tile code `code` (0..9); an empty (null) picture for any other code.
const Picture& TilePicture(int code);

// Reads an XPM image given as the lines of its C array: "W H COLOURS 1", then one line per
// colour ("X c #RRGGBB" or "X c None"), then the rows. Throws std::invalid_argument on
// anything else.
Picture ReadXpm(std::span<const char* const> lines);

}  // namespace quarvel
