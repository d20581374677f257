#include "files/LevelSetFile.h"

#include <cstdint>
#include <memory>

#include "files/LevelSetBytes.h"
#include "files/SystemFiles.h"

namespace quarvel {
namespace {
// An uninitialised buffer (make_unique_for_overwrite, which emscripten's libc++ lacks).
std::unique_ptr<std::uint8_t[]> FileBuffer() {
  return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[kMaxLevelSetFileSize]);
}
}  // namespace

int ReadLevelSetFile(const std::string& FileName, LevelSet& target) {
  // Read all that matters of the file first (at most the header and 256 blocks), then
  // decode it: the target changes only once the whole read has succeeded.
  const auto buffer = FileBuffer();
  const std::size_t size = ReadRegularFileStart(FileName, {buffer.get(), kMaxLevelSetFileSize});
  return ParseLevelSetBytes({buffer.get(), size}, target);
}

void WriteLevelSetFile(const std::string& FileName, const LevelSet& set) {
  const auto buffer = FileBuffer();
  const std::size_t size =
      EncodeLevelSet(set, std::span<std::uint8_t, kMaxLevelSetFileSize>(buffer.get(), kMaxLevelSetFileSize));
  ReplaceFileContent(FileName, {buffer.get(), size});
}

}  // namespace quarvel
