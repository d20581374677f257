#include "files/LevelSetBytes.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"

namespace quarvel {

static_assert(kBlockSize == 2 * (5 + kCellCount), "a block is the five numbers and the cells, 2 bytes each");
static_assert(kMaxLevelSetFileSize == kHeaderSize + kBlockSize * kLevelCount);

namespace {

std::int16_t Get16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

void Put16(std::uint8_t* p, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  p[0] = static_cast<std::uint8_t>(bits & 0xFFu);
  p[1] = static_cast<std::uint8_t>(bits >> 8);
}

// In memory on a little-endian machine, a record holds its block's bytes from offset 10 on
// (the cells) and then ten bytes of numbers, with no padding, and the records of a set
// stand back to back.
constexpr bool kRecordIsBlockRotated =
    std::endian::native == std::endian::little && sizeof(LevelRecord) == kBlockSize &&
    offsetof(LevelRecord, Cells) == 0 && sizeof(LevelSet) == kBlockSize * kLevelCount &&
    offsetof(LevelRecord, Rubies) == 286 && offsetof(LevelRecord, Emeralds) == 288 &&
    offsetof(LevelRecord, Sapphires) == 290 && offsetof(LevelRecord, Bombs) == 292 &&
    offsetof(LevelRecord, Time) == 294;

// File order of the five numbers: Time, Bombs, Rubies, Emeralds, Sapphires, then the cells.
void DecodeNumbers(const std::uint8_t* block, LevelRecord& level) {
  level.Time = Get16(block + 0);
  level.Bombs = Get16(block + 2);
  level.Rubies = Get16(block + 4);
  level.Emeralds = Get16(block + 6);
  level.Sapphires = Get16(block + 8);
}

void EncodeBlock(const LevelRecord& level, std::uint8_t* block) {
  Put16(block + 0, level.Time);
  Put16(block + 2, level.Bombs);
  Put16(block + 4, level.Rubies);
  Put16(block + 6, level.Emeralds);
  Put16(block + 8, level.Sapphires);
  std::uint8_t* cells = block + 10;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(cells, level.Cells.data(), sizeof(level.Cells));
  } else {
    for (int i = 0; i < kCellCount; ++i) Put16(cells + 2 * i, level.Cells[i]);
  }
}

}  // namespace

int ParseLevelSetBytes(std::span<const std::uint8_t> bytes, LevelSet& target) {
  if (bytes.size() < kHeaderSize) throw EInOutError(100);
  std::size_t blocks;
  if (bytes.size() >= kMaxLevelSetFileSize) {
    blocks = kLevelCount;  // a longer file: its first 256 levels, the rest ignored
  } else {
    const std::size_t body = bytes.size() - kHeaderSize;
    if (body % kBlockSize != 0) throw EInOutError(100);
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
      const std::size_t length = kBlockSize * (end - start) - (end == blocks ? 10 : 0);
      std::memcpy(records + kBlockSize * start, first + kBlockSize * start + 10, length);
      for (std::size_t k = start; k < end; ++k) DecodeNumbers(first + kBlockSize * k, target[k]);
    }
  } else {
    for (std::size_t k = 0; k < blocks; ++k) {
      const std::uint8_t* block = first + kBlockSize * k;
      DecodeNumbers(block, target[k]);
      for (int i = 0; i < kCellCount; ++i) target[k].Cells[i] = Get16(block + 10 + 2 * i);
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
