#include "files/LevelSetBytes.h"

#include <algorithm>
#include <bit>
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

// In memory on a little-endian machine, a record holds its block's bytes from kCellsOffset on
// (the cells) and then ten bytes of numbers, with no padding, and the records of a set
// stand back to back.
constexpr bool kRecordIsBlockRotated =
    std::endian::native == std::endian::little && sizeof(LevelRecord) == kBlockSize &&
    offsetof(LevelRecord, Cells) == 0 && sizeof(LevelSet) == kBlockSize * kLevelCount &&
    offsetof(LevelRecord, Rubies) == kBlockSize - kCellsOffset + kRubiesOffset &&
    offsetof(LevelRecord, Emeralds) == kBlockSize - kCellsOffset + kEmeraldsOffset &&
    offsetof(LevelRecord, Sapphires) == kBlockSize - kCellsOffset + kSapphiresOffset &&
    offsetof(LevelRecord, Bombs) == kBlockSize - kCellsOffset + kBombsOffset &&
    offsetof(LevelRecord, Time) == kBlockSize - kCellsOffset + kTimeOffset;

void DecodeNumbers(const std::uint8_t* block, LevelRecord& level) {
  level.Time = Get16(block + kTimeOffset);
  level.Bombs = Get16(block + kBombsOffset);
  level.Rubies = Get16(block + kRubiesOffset);
  level.Emeralds = Get16(block + kEmeraldsOffset);
  level.Sapphires = Get16(block + kSapphiresOffset);
}

void EncodeBlock(const LevelRecord& level, std::uint8_t* block) {
  Put16(block + kTimeOffset, level.Time);
  Put16(block + kBombsOffset, level.Bombs);
  Put16(block + kRubiesOffset, level.Rubies);
  Put16(block + kEmeraldsOffset, level.Emeralds);
  Put16(block + kSapphiresOffset, level.Sapphires);
  std::uint8_t* cells = block + kCellsOffset;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(cells, level.Cells.data(), sizeof(level.Cells));
  } else {
    for (int i = 0; i < kCellCount; ++i) Put16(cells + 2 * i, level.Cells[i]);
  }
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
  const std::uint8_t* first = bytes.data() + kHeaderSize;
  if constexpr (kRecordIsBlockRotated) {
    // A record is its block turned round by the 10 bytes of the five numbers, so one copy
    // from the first cell on puts every cell in place (and block k + 1's numbers where
    // record k's go); then each level's numbers are set from its own block. Done 16 levels
    // at a time, so that the numbers are set while the copy is still in the L1 cache.
    constexpr std::size_t kChunk = 16;
    auto* records = reinterpret_cast<unsigned char*>(target.data());
    for (std::size_t start = 0; start < blocks; start += kChunk) {
      const std::size_t end = std::min(start + kChunk, blocks);
      const std::size_t length = kBlockSize * (end - start) - (end == blocks ? kCellsOffset : 0);
      std::memcpy(records + kBlockSize * start, first + kBlockSize * start + kCellsOffset, length);
      for (std::size_t k = start; k < end; ++k) DecodeNumbers(first + kBlockSize * k, target[k]);
    }
  } else {
    for (std::size_t k = 0; k < blocks; ++k) {
      const std::uint8_t* block = first + kBlockSize * k;
      DecodeNumbers(block, target[k]);
      for (int i = 0; i < kCellCount; ++i) target[k].Cells[i] = Get16(block + kCellsOffset + 2 * i);
    }
  }
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
