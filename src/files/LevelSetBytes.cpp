#include "files/LevelSetBytes.h"

#include <algorithm>
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

// The block of record `k` of a file's bytes, which must hold it whole.
std::span<const std::uint8_t, kBlockSize> Block(std::span<const std::uint8_t> bytes, std::size_t k) {
  return bytes.subspan(kHeaderSize + kBlockSize * k).first<kBlockSize>();
}

}  // namespace

void DecodeRecord(std::span<const std::uint8_t, kBlockSize> block, LevelRecord& level) {
  const std::uint8_t* b = block.data();
  level.Time = Get16(b + kTimeOffset);
  level.Bombs = Get16(b + kBombsOffset);
  level.Rubies = Get16(b + kRubiesOffset);
  level.Emeralds = Get16(b + kEmeraldsOffset);
  level.Sapphires = Get16(b + kSapphiresOffset);
  for (int i = 0; i < kCellCount; ++i) level.Cells[static_cast<std::size_t>(i)] = Get16(b + kCellsOffset + 2 * i);
}

void EncodeRecord(const LevelRecord& level, std::span<std::uint8_t, kBlockSize> block) {
  std::uint8_t* b = block.data();
  Put16(b + kTimeOffset, level.Time);
  Put16(b + kBombsOffset, level.Bombs);
  Put16(b + kRubiesOffset, level.Rubies);
  Put16(b + kEmeraldsOffset, level.Emeralds);
  Put16(b + kSapphiresOffset, level.Sapphires);
  for (int i = 0; i < kCellCount; ++i) Put16(b + kCellsOffset + 2 * i, level.Cells[static_cast<std::size_t>(i)]);
}

int ParseLevelSetBytes(std::span<const std::uint8_t> bytes, LevelSet& target) {
  const LevelSetFileShape shape{bytes.size()};
  if (!shape.Readable()) throw EInOutError(kReadBeyondEndOfFile);
  // A longer file gives its first 256 levels, the rest ignored.
  const std::size_t blocks = std::min<std::uint64_t>(shape.Records(), kLevelCount);
  // From here on nothing can fail: the target changes only now.
  for (std::size_t k = 0; k < blocks; ++k) DecodeRecord(Block(bytes, k), target[k]);
  return static_cast<int>(blocks);
}

std::size_t EncodeLevelSet(const LevelSet& set, std::span<std::uint8_t, kMaxLevelSetFileSize> out) {
  std::memcpy(out.data(), kLevelSetHeader, kHeaderSize);
  std::size_t size = kHeaderSize;
  for (int level = 0; level < kLevelCount; ++level) {
    if (!IsLevelPlayable(set, level)) continue;
    EncodeRecord(set[level], out.subspan(size).first<kBlockSize>());
    size += kBlockSize;
  }
  return size;
}

SetImage DecodeSetBytes(std::span<const std::uint8_t> bytes) {
  const LevelSetFileShape shape{bytes.size()};
  if (!shape.Readable()) throw EInOutError(kReadBeyondEndOfFile);
  SetImage image;
  std::copy_n(bytes.begin(), kHeaderSize, image.Header.begin());
  image.Records.resize(shape.Records());
  for (std::size_t k = 0; k < image.Records.size(); ++k) DecodeRecord(Block(bytes, k), image.Records[k]);
  image.Tail.assign(bytes.end() - static_cast<std::ptrdiff_t>(shape.TrailingBytes()), bytes.end());
  return image;
}

std::vector<std::uint8_t> EncodeSetBytes(const SetImage& image) {
  std::vector<std::uint8_t> bytes(kHeaderSize + image.Records.size() * kBlockSize);
  std::copy(image.Header.begin(), image.Header.end(), bytes.begin());
  const std::span<std::uint8_t> out(bytes);
  for (std::size_t k = 0; k < image.Records.size(); ++k)
    EncodeRecord(image.Records[k], out.subspan(kHeaderSize + kBlockSize * k).first<kBlockSize>());
  bytes.insert(bytes.end(), image.Tail.begin(), image.Tail.end());
  return bytes;
}

}  // namespace quarvel
