#include "picture/GridPicture.h"

#include <algorithm>
#include <cmath>

#include "picture/TilePixels.h"

namespace quarvel {
namespace {

constexpr Rgb kSilver = OpaqueRgb(192, 192, 192);
constexpr Rgb kGrey = OpaqueRgb(128, 128, 128);

}  // namespace

Rgb GridLinesOn(Rgb base) { return (base & 0xFFFFFFu) == (kSilver & 0xFFFFFFu) ? kGrey : kSilver; }

GridColours StandardGridColours() {
  GridColours c;
  c.Base = OpaqueRgb(0xff, 0xff, 0xff);
  c.Lines = GridLinesOn(c.Base);
  c.Highlight = OpaqueRgb(0x30, 0x8c, 0xc6);
  c.Dark = OpaqueRgb(0x6a, 0x68, 0x64);
  c.Light = OpaqueRgb(0xff, 0xff, 0xff);
  c.Shadow = OpaqueRgb(0x00, 0x00, 0x00);
  c.Midlight = OpaqueRgb(0xe9, 0xe7, 0xe3);
  return c;
}

PixelRect GridCellRect(int col, int row) {
  return {kGridBorder + col * kGridPitch, kGridBorder + row * kGridPitch, kGridCellSize, kGridCellSize};
}

GridGeometry::GridGeometry(double ratio) {
  const double nudge = 1e-9;  // 21 x 1.5 is 31.5 even after rounding errors
  line = std::max(kGridLineWidth, int(std::floor(ratio + nudge)));
  pitch = std::max(kGridCellSize + 1, int(std::floor(kGridPitch * ratio + nudge)));
  cell = pitch - line;
  origin = 2 * line;
}

GridLayout GridAtRatio(double ratio) {
  const double nudge = 1e-6;  // a whole device pixel even after rounding errors
  return {GridGeometry(ratio), int(std::floor(kGridWidth * ratio + nudge)),
          int(std::floor(kGridHeight * ratio + nudge))};
}

GridLayout FitGridToHeight(int height) {
  GridLayout fitted{GridGeometry(double(height) / kGridHeight), kGridWidth * height / kGridHeight, height};
  if (height >= kGridHeight) return fitted;
  GridGeometry& g = fitted.geometry;
  g.line = kGridLineWidth;
  g.origin = 2 * g.line;
  // The two rings of the border on each side, and the cells with the line after each.
  g.pitch = kGridPitch * height / kGridHeight;
  while (g.pitch > 2 && (4 * g.line + kRows * g.pitch > height || 4 * g.line + kColumns * g.pitch > fitted.width))
    --g.pitch;
  g.cell = g.pitch - g.line;
  return fitted;
}

std::vector<ColouredRect> GridFrame(const GridColours& colours, const GridLayout& layout) {
  const GridGeometry& g = layout.geometry;
  const int w = layout.width, h = layout.height, b = g.line;
  std::vector<ColouredRect> frame = {
      // The sunken border, as a Windows panel draws it: two rings, the top and left sides
      // of each first, the bottom and right ones over their corners.
      {{0, 0, b, h - b}, colours.Dark},
      {{0, 0, w - b, b}, colours.Dark},
      {{0, h - b, w, b}, colours.Light},
      {{w - b, 0, b, h}, colours.Light},
      {{b, b, b, h - 3 * b}, colours.Shadow},
      {{b, b, w - 3 * b, b}, colours.Shadow},
      {{b, h - 2 * b, w - 2 * b, b}, colours.Midlight},
      {{w - 2 * b, b, b, h - 2 * b}, colours.Midlight},
  };
  // The line after each column and each row, the last ones included.
  const int cellsWidth = kColumns * g.pitch, cellsHeight = kRows * g.pitch;
  for (int c = 0; c < kColumns; ++c)
    frame.push_back({{g.origin + c * g.pitch + g.cell, g.origin, g.line, cellsHeight}, colours.Lines});
  for (int r = 0; r < kRows; ++r)
    frame.push_back({{g.origin, g.origin + r * g.pitch + g.cell, cellsWidth, g.line}, colours.Lines});
  // The strips of the interior right of and below the cells.
  const int interiorRight = w - 2 * b, interiorBottom = h - 2 * b;
  frame.push_back({{g.origin + cellsWidth, g.origin, interiorRight - g.origin - cellsWidth, interiorBottom - g.origin},
                   colours.Base});
  frame.push_back(
      {{g.origin, g.origin + cellsHeight, cellsWidth, interiorBottom - g.origin - cellsHeight}, colours.Base});
  return frame;
}

int StretchedTilePixel(int cell, int i) {
  // Steps of 20 / cell in 16.16 fixed point, the step rounded down, starting half a step in
  // and just short of it, so that a pixel centre exactly between two source pixels takes
  // the first of them.
  const std::uint32_t size = kTilePictureSize, fixed = 1u << 16;
  const std::uint32_t step = size * fixed / std::uint32_t(cell);
  const std::uint32_t start = (size * fixed / 2 - 1) / std::uint32_t(cell);
  return int((start + std::uint32_t(i) * step) >> 16);
}

void DrawTile(Picture& picture, const PixelRect& square, int code) {
  const Picture& tile = TilePicture(code);
  if (tile.IsNull()) return;
  if (square.Width == kTilePictureSize && square.Height == kTilePictureSize) {
    picture.DrawMasked(tile, square.X, square.Y);
    return;
  }
  for (int y = 0; y < square.Height; ++y) {
    const int py = square.Y + y;
    if (py < 0 || py >= picture.Height) continue;
    const int sy = StretchedTilePixel(square.Height, y);
    for (int x = 0; x < square.Width; ++x) {
      const int px = square.X + x;
      if (px < 0 || px >= picture.Width) continue;
      if (const Rgb pixel = tile.At(StretchedTilePixel(square.Width, x), sy); IsOpaque(pixel))
        picture.At(px, py) = pixel;
    }
  }
}

void InvertDottedOutline(Picture& picture, const PixelRect& square, int dot) {
  const int size = square.Width;
  const int dots = (size + dot - 1) / dot;
  auto invertDot = [&](int dx, int dy) {
    const int x1 = std::min((dx + 1) * dot, size), y1 = std::min((dy + 1) * dot, size);
    for (int y = dy * dot; y < y1 && square.Y + y < picture.Height; ++y)
      for (int x = dx * dot; x < x1 && square.X + x < picture.Width; ++x)
        picture.At(square.X + x, square.Y + y) ^= 0x00FFFFFFu;
  };
  for (int y = 0; y < dots; ++y)
    for (int x = 0; x < dots; ++x) {
      const bool onOutline = x == 0 || y == 0 || x == dots - 1 || y == dots - 1;
      if (onOutline && (x + y) % 2 == 0) invertDot(x, y);
    }
}

Picture GridPicture(const LevelSet& set, int level, const GridColours& colours, const GridLayout& layout,
                    std::optional<CurrentCell> current) {
  Picture picture(layout.width, layout.height, colours.Base);
  for (const ColouredRect& fill : GridFrame(colours, layout)) picture.Fill(fill.rect, fill.colour);
  const GridGeometry& g = layout.geometry;
  for (int col = 0; col < kColumns; ++col)
    for (int row = 0; row < kRows; ++row) {
      const PixelRect cell = g.Cell(col, row);
      const bool isCurrent = current && current->col == col && current->row == row;
      picture.Fill(cell, isCurrent && !current->focused ? colours.Highlight : colours.Base);
      DrawTile(picture, cell, ReadCell(set, level, col, row));
      if (isCurrent && current->focused) InvertDottedOutline(picture, cell, g.line);
    }
  return picture;
}

}  // namespace quarvel
