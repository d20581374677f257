#include "picture/Picture.h"

#include <algorithm>

namespace quarvel {

Picture::Picture(int width, int height, Rgb fill)
    : Width(width), Height(height), Pixels(std::size_t(width) * std::size_t(height), fill) {}

void Picture::Fill(const PixelRect& rect, Rgb colour) {
  const int x0 = std::max(rect.X, 0), x1 = std::min(rect.X + rect.Width, Width);
  const int y0 = std::max(rect.Y, 0), y1 = std::min(rect.Y + rect.Height, Height);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) std::fill_n(&At(x0, y), x1 - x0, colour);
}

void Picture::DrawMasked(const Picture& source, int left, int top) {
  for (int y = std::max(0, -top); y < source.Height && top + y < Height; ++y)
    for (int x = std::max(0, -left); x < source.Width && left + x < Width; ++x)
      if (const Rgb pixel = source.At(x, y); IsOpaque(pixel)) At(left + x, top + y) = pixel;
}

Picture Enlarge(const Picture& picture, int scale) {
  if (scale == 1) return picture;
  Picture out(picture.Width * scale, picture.Height * scale);
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) out.At(x, y) = picture.At(x / scale, y / scale);
  return out;
}

}  // namespace quarvel
