#pragma once
// Pictures as PNG bytes, by stb_image_write (libstb-dev; header-only, so every build of the
// program, Windows included, encodes alike).

#include <cstdint>
#include <vector>

#include "picture/Picture.h"

namespace quarvel {

// The picture as an 8-bit RGB PNG (the alpha left out: the pictures are opaque).
std::vector<std::uint8_t> EncodePng(const Picture& picture);

}  // namespace quarvel
