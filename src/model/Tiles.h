#pragma once
// The ten tiles with a name, by code, in one table: the name in the code (`RedBlock`), the
// name screen readers say and palette buttons carry ("Red block") and the character that
// stands for the tile in the text form of a set ('R'). Any other code may stand in a cell
// too; it has no entry here.

#include <cstdint>
#include <string_view>

#include "model/LevelSet.h"

namespace quarvel {

struct TileKind {
  Tile Code;
  std::string_view Name;
  std::string_view Label;
  char Character;
};

inline constexpr int kTileCount = 10;

// By code: kTiles[code] is tile `code`.
inline constexpr TileKind kTiles[kTileCount] = {
    {Empty, "Empty", "Empty", '.'},
    {RedBlock, "RedBlock", "Red block", 'R'},
    {GreenBlock, "GreenBlock", "Green block", 'G'},
    {BlueBlock, "BlueBlock", "Blue block", 'B'},
    {YellowBlock, "YellowBlock", "Yellow block", 'Y'},
    {GrayBlock, "GrayBlock", "Grey block", '#'},
    {CannonUp, "CannonUp", "Cannon up", '^'},
    {CannonRight, "CannonRight", "Cannon right", '>'},
    {CannonDown, "CannonDown", "Cannon down", 'v'},
    {CannonLeft, "CannonLeft", "Cannon left", '<'},
};

// Whether `code` is one of the ten tiles (0 to 9).
constexpr bool IsNamedTile(std::int32_t code) { return code >= 0 && code < kTileCount; }

// The entry of tile `code`; nothing for a code outside 0 to 9.
constexpr const TileKind* FindTile(std::int32_t code) { return IsNamedTile(code) ? &kTiles[code] : nullptr; }

static_assert([] {
  for (int code = 0; code < kTileCount; ++code)
    if (kTiles[code].Code != code) return false;
  return true;
}());

}  // namespace quarvel
