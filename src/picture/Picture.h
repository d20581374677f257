#pragma once
// A picture in memory, plain C++: whole pixels of 0xAARRGGBB, row after row, the layout
// of a QImage in Format_ARGB32 (so a front end on Qt wraps it without converting). The
// grid's picture, the tile pictures and the contact sheet are all made of these.

#include <cstdint>
#include <vector>

namespace quarvel {

using Rgb = std::uint32_t;  // 0xAARRGGBB

constexpr Rgb OpaqueRgb(int red, int green, int blue) {
  return 0xFF000000u | std::uint32_t(red & 0xFF) << 16 | std::uint32_t(green & 0xFF) << 8 | std::uint32_t(blue & 0xFF);
}
constexpr bool IsOpaque(Rgb pixel) { return (pixel >> 24) == 0xFF; }

// A rectangle of whole pixels: its top left corner and its size.
struct PixelRect {
  int X = 0, Y = 0, Width = 0, Height = 0;

  bool operator==(const PixelRect&) const = default;
};

struct Picture {
  int Width = 0, Height = 0;
  std::vector<Rgb> Pixels;  // Width * Height, row by row from the top

  Picture() = default;
  Picture(int width, int height, Rgb fill = 0);

  bool IsNull() const { return Pixels.empty(); }
  Rgb& At(int x, int y) { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  Rgb At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }

  // Fills the part of `rect` inside the picture.
  void Fill(const PixelRect& rect, Rgb colour);

  // Copies `source` with its top left corner at (left, top): its opaque pixels, through
  // its mask; the transparent ones leave the picture as it is. Parts outside are cut off.
  void DrawMasked(const Picture& source, int left, int top);

  bool operator==(const Picture&) const = default;
};

// Every pixel becomes a square of `scale` x `scale`.
Picture Enlarge(const Picture& picture, int scale);

}  // namespace quarvel
