#pragma once
// The palette: which tile each of the main window's ten palette buttons sets as the brush.

#include <array>
#include <span>
#include <string_view>

#include "model/LevelSet.h"

namespace quarvel {

struct TPaletteButton {
  const char* Name;  // BitBtn1 .. BitBtn10
  Tile Code;
};

// In the order of the buttons' names: BitBtn1 to BitBtn6 hold tiles 0 to 5, BitBtn7 to
// BitBtn10 the cannons from left to up.
inline constexpr TPaletteButton kPalette[] = {
    {"BitBtn1", Empty},       {"BitBtn2", RedBlock},  {"BitBtn3", GreenBlock}, {"BitBtn4", BlueBlock},
    {"BitBtn5", YellowBlock}, {"BitBtn6", GrayBlock}, {"BitBtn7", CannonLeft}, {"BitBtn8", CannonDown},
    {"BitBtn9", CannonRight}, {"BitBtn10", CannonUp},
};
inline constexpr int kPaletteSize = int(std::size(kPalette));

// The buttons' names, in the same order.
inline constexpr auto kPaletteNames = [] {
  std::array<std::string_view, kPaletteSize> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kPalette[i].Name;
  return names;
}();

// The tile of the palette button `name`; at compile time, so that a misspelt name fails the
// build.
consteval Tile PaletteTile(std::string_view name) {
  for (const TPaletteButton& button : kPalette)
    if (name == button.Name) return button.Code;
  throw "no such palette button";
}

}  // namespace quarvel
