// Build tool: writes the program icon as a Windows .ico holding it at several sizes, each
// the 32 x 32 picture of picture/ProgramIcon.xpm enlarged by a whole number, pixel for
// pixel, so that the pixel art keeps its hard edges (Windows shrinks the 32 x 32 one for
// a 16 x 16 place).
//   MakeIcon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <vector>

#include "picture/Picture.h"
#include "picture/ProgramIcon.xpm"
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeIcon OUTPUT.ico\n");
    return 2;
  }
  const quarvel::Picture icon = quarvel::ReadXpm(program_icon_xpm);
  const int scales[] = {1, 2, 3, 4, 8};  // 32, 64, 96, 128 and 256 pixels
  std::vector<std::vector<std::uint8_t>> images;
  for (int scale : scales) images.push_back(IconImage(quarvel::Enlarge(icon, scale)));

  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = icon.Width * scales[i];
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
