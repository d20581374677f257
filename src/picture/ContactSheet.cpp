#include "picture/ContactSheet.h"

#include <algorithm>
#include <string>

#include "picture/GridPicture.h"
#include "picture/LabelFont.h"

namespace quarvel {
namespace {

// A margin around every level and a label strip above each.
constexpr int kSheetColumns = 8;
constexpr int kMargin = 8;
constexpr int kLabelHeight = 18;
constexpr Rgb kSheetBackground = OpaqueRgb(0xef, 0xef, 0xef);
constexpr Rgb kLabelColour = OpaqueRgb(0, 0, 0);

}  // namespace

Picture ContactSheet(const LevelSet& set, const std::vector<int>& levels) {
  const int count = static_cast<int>(levels.size());
  const int columns = std::min(count, kSheetColumns);
  const int rows = (count + columns - 1) / columns;
  const int tileWidth = kGridWidth + kMargin;
  const int tileHeight = kLabelHeight + kGridHeight + kMargin;
  Picture sheet(kMargin + columns * tileWidth, kMargin + rows * tileHeight, kSheetBackground);
  const GridColours colours = StandardGridColours();
  for (int i = 0; i < count; ++i) {
    const int level = levels[static_cast<std::size_t>(i)];
    const int left = kMargin + (i % columns) * tileWidth;
    const int top = kMargin + (i / columns) * tileHeight;
    DrawLabel(sheet, left, top + (kLabelHeight - kLabelGlyphHeight) / 2, "Level " + std::to_string(level + 1),
              kLabelColour);
    sheet.DrawMasked(GridPicture(set, level, colours), left, top + kLabelHeight);
  }
  return sheet;
}

}  // namespace quarvel
