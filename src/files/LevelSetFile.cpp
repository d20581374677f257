#include "files/LevelSetFile.h"

#include <cstdint>
#include <memory>

#include "files/LevelSetBytes.h"
#include "files/PosixFiles.h"

namespace quarvel {

int ReadLevelSetFile(const std::string& FileName, LevelSet& target) {
  // Read all that matters of the file first (at most the header and 256 blocks), then
  // decode it: the target changes only once the whole read has succeeded.
  // The bytes go where the first cell (file offset 14) falls on a 64-byte boundary, so
  // that the decoder's copy of the cells reads aligned memory.
  constexpr std::size_t kAlign = 64, kFirstCell = kHeaderSize + kCellsOffset;
  const auto storage = std::make_unique_for_overwrite<std::uint8_t[]>(kMaxLevelSetFileSize + kAlign);
  const auto address = reinterpret_cast<std::uintptr_t>(storage.get()) + kFirstCell;
  std::uint8_t* const buffer = storage.get() + ((kAlign - address % kAlign) % kAlign);
  const std::size_t size = ReadRegularFileStart(FileName, {buffer, kMaxLevelSetFileSize});
  return ParseLevelSetBytes({buffer, size}, target);
}

void WriteLevelSetFile(const std::string& FileName, const LevelSet& set) {
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kMaxLevelSetFileSize);
  const std::size_t size = EncodeLevelSet(set, std::span<std::uint8_t, kMaxLevelSetFileSize>(buffer.get(), kMaxLevelSetFileSize));
  ReplaceFileContent(FileName, {buffer.get(), size});
}

}  // namespace quarvel
