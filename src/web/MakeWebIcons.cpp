// Writes the site's icons into the current folder: the program's 32 x 32 picture
// (picture/ProgramIcon.xpm) as PNGs enlarged pixel for pixel, for the page and for the web
// app manifest. Runs under node at build time.

#include <cstdio>
#include <string>

#include "picture/Picture.h"
#include "picture/PngFile.h"
#include "picture/ProgramIcon.xpm"
#include "picture/TilePixels.h"

int main() {
  const quarvel::Picture icon = quarvel::ReadXpm(program_icon_xpm);
  for (const int scale : {1, 6, 16}) {
    const std::string name = "icon-" + std::to_string(32 * scale) + ".png";
    const std::vector<std::uint8_t> png = quarvel::EncodePng(quarvel::Enlarge(icon, scale));
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file || std::fwrite(png.data(), 1, png.size(), file) != png.size() || std::fclose(file) != 0) {
      std::fprintf(stderr, "MakeWebIcons: cannot write %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
