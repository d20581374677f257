#pragma once
// Whole files as bytes, for the file tests: read, write, and made-up content.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "DagFile.h"
#include "TempDir.h"

namespace quarvel_test {

// The file's content; empty when it cannot be read.
inline Bytes ReadAll(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the file's content with `bytes` and gives it the permission bits `mode` (on
// Windows: no write bit is the read-only attribute).
inline void WriteRaw(const std::string& path, const Bytes& bytes, unsigned mode = 0644) {
  {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::error_code ec;
  std::filesystem::permissions(PathOf(path), std::filesystem::perms(mode), ec);
}

// `size` bytes whose content is a function of the offset and the seed. The high bits of
// the offset are mixed in, so the pattern does not repeat every 256 bytes: no two blocks
// of a level set file made of it are alike, nor are files of different seeds.
inline Bytes PatternBytes(std::size_t size, int seed = 0) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>((i * 131 + 7 + static_cast<std::size_t>(seed) * 37) ^ (i >> 8));
  return bytes;
}

}  // namespace quarvel_test
