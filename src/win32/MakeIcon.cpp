// Build tool: writes the program icon as a Windows .ico with a picture for each size
// Windows shows it at, from 16 to 256 pixels, every one of them crisp: the icon is drawn
// at 16, 24 and 32 pixels (picture/ProgramIcon*.xpm); each size is the most detailed
// drawing that fits it a whole number of times, enlarged pixel for pixel, or else (20 and
// 40 pixels) the largest drawing that fits, its grey field widened inside the frame.
//   MakeIcon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <vector>

#include "picture/Picture.h"
#include "picture/ProgramIcon.xpm"
#include "picture/ProgramIcon16.xpm"
#include "picture/ProgramIcon24.xpm"
#include "picture/TilePixels.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One image of the icon: a BITMAPINFOHEADER of twice the height, the colours bottom-up
// (32-bit BGRA), then the 1-bit mask bottom-up, rows padded to 32 bits, 1 where transparent.
std::vector<std::uint8_t> IconImage(const quarvel::Picture& picture) {
  const int n = picture.Width;
  const int maskStride = (n + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, std::uint32_t(n));
  Put32(out, std::uint32_t(2 * n));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, std::uint32_t(n * n * 4 + maskStride * n));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) Put32(out, picture.At(x, y));
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(std::size_t(maskStride), 0);
    for (int x = 0; x < n; ++x)
      if (!quarvel::IsOpaque(picture.At(x, y))) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// One drawing of the icon: a frame `frame` pixels wide around a field whose first row and
// column are plain grey.
struct Drawing {
  quarvel::Picture picture;
  int frame;
};

// Where pixel `x` of a side `size` long comes from in a drawing's side `n` long: the frame
// as it is, the drawing centred, and the grey field where the drawing does not reach.
int SourceOf(int x, int n, int size, int frame) {
  if (x < frame) return x;
  if (x >= size - frame) return x - (size - n);
  const int source = x - (size - n) / 2;
  return source < frame || source >= n - frame ? frame : source;
}

quarvel::Picture Widened(const Drawing& drawing, int size) {
  const int n = drawing.picture.Width;
  quarvel::Picture out(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      out.At(x, y) = drawing.picture.At(SourceOf(x, n, size, drawing.frame), SourceOf(y, n, size, drawing.frame));
  return out;
}

quarvel::Picture IconAt(const std::vector<Drawing>& drawings, int size) {
  const Drawing* widest = nullptr;
  for (const Drawing& drawing : drawings) {  // the largest drawing first
    const int n = drawing.picture.Width;
    if (size % n == 0) return quarvel::Enlarge(drawing.picture, size / n);
    if (!widest && n < size) widest = &drawing;
  }
  return Widened(*widest, size);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeIcon OUTPUT.ico\n");
    return 2;
  }
  const std::vector<Drawing> drawings = {{quarvel::ReadXpm(program_icon_xpm), 2},
                                         {quarvel::ReadXpm(program_icon_24_xpm), 2},
                                         {quarvel::ReadXpm(program_icon_16_xpm), 1}};
  const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes) images.push_back(IconImage(IconAt(drawings, size)));

  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = sizes[i];
    out.push_back(std::uint8_t(size >= 256 ? 0 : size));  // 0 stands for 256
    out.push_back(std::uint8_t(size >= 256 ? 0 : size));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, std::uint32_t(images[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());

  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
    std::fprintf(stderr, "MakeIcon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
