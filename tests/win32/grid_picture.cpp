// The level grid as the Linux editor shows it, for the end-to-end tests to hold the Win32
// grid's pixels to: the core's grid picture (picture/GridPicture.h, which the Qt grid is
// tested to match) in the editor's standard colours, laid out for a dpi, written as P6.
//   grid_picture SET.dag LEVEL DPI COLUMN ROW focused|selected OUT.ppm
// LEVEL counts from 1; COLUMN and ROW are the current cell's, shown focused (the focus
// mark) or selected (the highlight colour).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "files/LevelSetFile.h"
#include "picture/GridPicture.h"

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr, "usage: grid_picture SET.dag LEVEL DPI COLUMN ROW focused|selected OUT.ppm\n");
    return 2;
  }
  try {
    auto set = std::make_unique<quarvel::LevelSet>();
    quarvel::ClearLevelSet(*set);
    quarvel::ReadLevelSetFile(argv[1], *set);
    const quarvel::CurrentCell current{std::atoi(argv[4]), std::atoi(argv[5]), std::string(argv[6]) == "focused"};
    const quarvel::Picture picture = quarvel::GridPicture(*set, std::atoi(argv[2]) - 1, quarvel::StandardGridColours(),
                                                          quarvel::GridAtRatio(std::atoi(argv[3]) / 96.0), current);
    std::FILE* out = std::fopen(argv[7], "wb");
    if (!out) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", picture.Width, picture.Height);
    for (const quarvel::Rgb pixel : picture.Pixels) {
      const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                                    static_cast<unsigned char>(pixel)};
      std::fwrite(rgb, 1, 3, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "grid_picture: %s\n", error.what());
    return 1;
  }
}
