#include "picture/TilePixels.h"

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

// The pixel art: one character per pixel, "." transparent.
#include "picture/pictures/tile0_empty.xpm"
#include "picture/pictures/tile1_red.xpm"
#include "picture/pictures/tile2_green.xpm"
#include "picture/pictures/tile3_blue.xpm"
#include "picture/pictures/tile4_yellow.xpm"
#include "picture/pictures/tile5_gray.xpm"
#include "picture/pictures/tile6_cannon_up.xpm"
#include "picture/pictures/tile7_cannon_right.xpm"
#include "picture/pictures/tile8_cannon_down.xpm"
#include "picture/pictures/tile9_cannon_left.xpm"

namespace quarvel {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#RRGGBB" or "None" (any case).
Rgb ReadColour(std::string_view text) {
  if (text.size() == 4 && (text[0] | 0x20) == 'n' && (text[1] | 0x20) == 'o' && (text[2] | 0x20) == 'n' &&
      (text[3] | 0x20) == 'e')
    return 0;
  if (text.size() != 7 || text[0] != '#') throw std::invalid_argument("XPM colour not #RRGGBB or None");
  Rgb value = 0;
  for (char c : text.substr(1)) {
    const int digit = HexDigit(c);
    if (digit < 0) throw std::invalid_argument("XPM colour not #RRGGBB or None");
    value = value << 4 | Rgb(digit);
  }
  return 0xFF000000u | value;
}

}  // namespace

Picture ReadXpm(std::span<const char* const> lines) {
  int width = 0, height = 0, colours = 0, perPixel = 0;
  if (lines.empty() || std::sscanf(lines[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 ||
      perPixel != 1 || width <= 0 || height <= 0 || colours <= 0 || lines.size() != std::size_t(1 + colours + height))
    throw std::invalid_argument("XPM header not \"WIDTH HEIGHT COLOURS 1\", or lines missing");
  std::map<char, Rgb> palette;
  for (int i = 1; i <= colours; ++i) {
    const std::string_view line = lines[std::size_t(i)];
    if (line.size() < 5 || line.substr(1, 3) != " c ") throw std::invalid_argument("XPM colour line not \"X c VALUE\"");
    palette[line[0]] = ReadColour(line.substr(4));
  }
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::string_view row = lines[std::size_t(1 + colours + y)];
    if (row.size() != std::size_t(width)) throw std::invalid_argument("XPM row of the wrong width");
    for (int x = 0; x < width; ++x) {
      const auto colour = palette.find(row[std::size_t(x)]);
      if (colour == palette.end()) throw std::invalid_argument("XPM pixel of a colour not listed");
      picture.At(x, y) = colour->second;
    }
  }
  return picture;
}

const Picture& TilePicture(int code) {
  static const std::array<Picture, kTileCount> pictures = [] {
    const std::span<const char* const> sources[kTileCount] = {
        tile0_empty_xpm, tile1_red_xpm,       tile2_green_xpm,        tile3_blue_xpm,        tile4_yellow_xpm,
        tile5_gray_xpm,  tile6_cannon_up_xpm, tile7_cannon_right_xpm, tile8_cannon_down_xpm, tile9_cannon_left_xpm};
    std::array<Picture, kTileCount> result;
    for (int i = 0; i < kTileCount; ++i) result[std::size_t(i)] = ReadXpm(sources[i]);
    return result;
  }();
  static const Picture none;
  return IsNamedTile(code) ? pictures[std::size_t(code)] : none;
}

}  // namespace quarvel
