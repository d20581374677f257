#include "files/LevelSetBytes.h"

#include <cstddef>
#include <cstring>

#include "model/LevelCheck.h"

namespace quarvel {

namespace {

std::int16_t Get16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

void Put16(std::uint8_t* p, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  p[0] = static_cast<std::uint8_t>(bits & 0xFFu);
  p[1] = static_cast<std::uint8_t>(bits >> 8);
}

void DecodeBlock(const std::uint8_t* block, LevelRecord& level) {
  level.Time = Get16(block + kTimeOffset);
  level.Bombs = Get16(block + kBombsOffset);
  level.Rubies = Get16(block + kRubiesOffset);
  level.Emeralds = Get16(block + kEmeraldsOffset);
  level.Sapphires = Get16(block + kSapphiresOffset);
  for (int i = 0; i < kCellCount; ++i) level.Cells[i] = Get16(block + kCellsOffset + 2 * i);
}

void EncodeBlock(const LevelRecord& level, std::uint8_t* block) {
  Put16(block + kTimeOffset, level.Time);
  Put16(block + kBombsOffset, level.Bombs);
  Put16(block + kRubiesOffset, level.Rubies);
  Put16(block + kEmeraldsOffset, level.Emeralds);
  Put16(block + kSapphiresOffset, level.Sapphires);
  for (int i = 0; i < kCellCount; ++i) Put16(block + kCellsOffset + 2 * i, level.Cells[i]);
}

}  // namespace

int ParseLevelSetBytes(std::span<const std::uint8_t> bytes, LevelSet& target) {
  if (bytes.size() < kHeaderSize) throw EInOutError(kReadBeyondEndOfFile);
  std::size_t blocks;
  if (bytes.size() >= kMaxLevelSetFileSize) {
    blocks = kLevelCount;  // a longer file: its first 256 levels, the rest ignored
  } else {
    const std::size_t body = bytes.size() - kHeaderSize;
    if (body % kBlockSize != 0) throw EInOutError(kReadBeyondEndOfFile);
    blocks = body / kBlockSize;
  }
  // From here on nothing can fail: the target changes only now.
  for (std::size_t k = 0; k < blocks; ++k) DecodeBlock(bytes.data() + kHeaderSize + kBlockSize * k, target[k]);
  return static_cast<int>(blocks);
}

std::size_t EncodeLevelSet(const LevelSet& set, std::span<std::uint8_t, kMaxLevelSetFileSize> out) {
  std::memcpy(out.data(), kLevelSetHeader, kHeaderSize);
  std::size_t size = kHeaderSize;
  for (int level = 0; level < kLevelCount; ++level) {
    if (!IsLevelPlayable(set, level)) continue;
    EncodeBlock(set[level], out.data() + size);
    size += kBlockSize;
  }
  return size;
}

}  // namespace quarvel
