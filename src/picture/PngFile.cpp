#include "picture/PngFile.h"

#include <stdexcept>

// stb_image_write writes to a callback only: no file functions are compiled in.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace quarvel {

std::vector<std::uint8_t> EncodePng(const Picture& picture) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(picture.Pixels.size() * 3);
  for (const Rgb pixel : picture.Pixels) {
    rgb.push_back(std::uint8_t(pixel >> 16));
    rgb.push_back(std::uint8_t(pixel >> 8));
    rgb.push_back(std::uint8_t(pixel));
  }
  std::vector<std::uint8_t> png;
  const auto append = [](void* context, void* data, int size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    static_cast<std::vector<std::uint8_t>*>(context)->insert(static_cast<std::vector<std::uint8_t>*>(context)->end(),
                                                             bytes, bytes + size);
  };
  if (!stbi_write_png_to_func(append, &png, picture.Width, picture.Height, 3, rgb.data(), picture.Width * 3))
    throw std::runtime_error("PNG encoding failed");
  return png;
}

}  // namespace quarvel
