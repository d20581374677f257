#pragma once
// The layout of a level set file (.dag), in one place for the reader and the writer.
//
//   offset 0   4 header bytes 44 41 47 00 ("DAG" and a zero byte: the 16-bit values
//              0x4144 and 0x0047)
//   offset 4   one 296-byte block per level, levels in order, at most 256 blocks
//
// Every value is a signed 16-bit little-endian number. A block holds, in this order:
// Time, Bombs, Rubies, Emeralds, Sapphires (10 bytes), then the 143 cells column by
// column (element column x 13 + row), as LevelRecord holds them.

#include <cstddef>
#include <cstdint>

#include "model/LevelSet.h"

namespace quarvel {

inline constexpr std::uint8_t kLevelSetHeader[4] = {0x44, 0x41, 0x47, 0x00};
inline constexpr std::size_t kHeaderSize = sizeof kLevelSetHeader;

// Byte offsets inside a block.
inline constexpr std::size_t kTimeOffset = 0;
inline constexpr std::size_t kBombsOffset = 2;
inline constexpr std::size_t kRubiesOffset = 4;
inline constexpr std::size_t kEmeraldsOffset = 6;
inline constexpr std::size_t kSapphiresOffset = 8;
inline constexpr std::size_t kCellsOffset = 10;
inline constexpr std::size_t kBlockSize = kCellsOffset + 2 * kCellCount;  // 296

// The longest file the writer makes and the most the reader looks at: the header and 256
// blocks, 75,780 bytes.
inline constexpr std::size_t kMaxLevelSetFileSize = kHeaderSize + kBlockSize * kLevelCount;

static_assert(kBlockSize == 296 && kMaxLevelSetFileSize == 75780);

// What a file holds by its length alone: the header, the whole records after it and the
// bytes after the last whole record. The reader takes a file that holds the header and
// whole records, or more than 256 records whatever follows; it takes in at most 256.
struct LevelSetFileShape {
  std::uint64_t Bytes = 0;  // the file's length

  // Whole records after the header.
  constexpr std::uint64_t Records() const { return Bytes < kHeaderSize ? 0 : (Bytes - kHeaderSize) / kBlockSize; }
  // Records after the 256th, which the reader never takes in.
  constexpr std::uint64_t RecordsPastTheEnd() const { return Records() > kLevelCount ? Records() - kLevelCount : 0; }
  // Bytes after the last whole record (all of them when the header is cut short).
  constexpr std::uint64_t TrailingBytes() const {
    return Bytes < kHeaderSize ? Bytes : (Bytes - kHeaderSize) % kBlockSize;
  }
  // Whether the reader takes the file.
  constexpr bool Readable() const {
    return Bytes >= kMaxLevelSetFileSize || (Bytes >= kHeaderSize && TrailingBytes() == 0);
  }
};

}  // namespace quarvel
