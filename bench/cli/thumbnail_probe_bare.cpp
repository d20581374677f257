// The yardstick for `quarvel-levels thumbnail`: a bare C++ program that encodes a PNG of a
// thumbnail's size, 219 x 256, with the same encoder (stb_image_write) and writes it to a
// file, and nothing else: no set read, no grid drawn. What thumbnail costs beyond it is the
// set and the drawing.
//   thumbnail_probe_bare OUT.png
#include <cstdio>
#include <vector>

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const int width = 219, height = 256;
  const std::vector<unsigned char> white(std::size_t(width) * height * 3, 0xFF);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  const auto write = [](void* file, void* data, int size) {
    std::fwrite(data, 1, std::size_t(size), static_cast<std::FILE*>(file));
  };
  const bool encoded = stbi_write_png_to_func(write, out, width, height, 3, white.data(), width * 3) != 0;
  return std::fclose(out) == 0 && encoded ? 0 : 1;
}
