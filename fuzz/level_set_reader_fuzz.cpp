// libFuzzer target for the level set reader. For any bytes it holds that the reader either
// loads whole levels (min(256, blocks) of them, each equal to its bytes) and leaves the
// later levels as they were, or fails with code 100 and leaves the set unchanged. Now and
// then the same bytes also go through a real file and ReadLevelSetFile, which must agree;
// and what was loaded, saved as bytes again, must read back as its playable levels.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

#include "FuzzCheck.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

using namespace quarvel;

namespace {

// Distinct content in every level, so that any change shows.
const LevelSet& Pattern() {
  static const auto pattern = [] {
    auto set = std::make_unique<LevelSet>();
    for (int level = 0; level < kLevelCount; ++level) {
      LevelRecord& r = (*set)[level];
      for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>(level * 257 + i * 5 + 11);
      r.Rubies = static_cast<std::int16_t>(level + 1);
      r.Emeralds = static_cast<std::int16_t>(-level - 1);
      r.Sapphires = static_cast<std::int16_t>(level * 3);
      r.Bombs = static_cast<std::int16_t>(level ^ 0x5A5A);
      r.Time = static_cast<std::int16_t>(-3 * level - 2);
    }
    return set;
  }();
  return *pattern;
}

std::int16_t Le16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

bool LevelEqualsBlock(const LevelRecord& r, const std::uint8_t* block) {
  if (r.Time != Le16(block) || r.Bombs != Le16(block + 2) || r.Rubies != Le16(block + 4) ||
      r.Emeralds != Le16(block + 6) || r.Sapphires != Le16(block + 8))
    return false;
  for (int column = 0; column < kColumns; ++column)
    for (int row = 0; row < kRows; ++row)
      if (r.Cells[CellIndex(column, row)] != Le16(block + 10 + 2 * (13 * column + row))) return false;
  return true;
}

// -1 for input that must fail with 100, else the number of levels it must load.
int ExpectedLevels(std::size_t size) {
  if (size < 4) return -1;
  if (size >= kMaxLevelSetFileSize) return kLevelCount;
  if ((size - 4) % 296 != 0) return -1;
  return static_cast<int>((size - 4) / 296);
}

// Runs a reader on a fresh copy of the pattern and checks the outcome against the bytes.
template <typename Reader>
void CheckReader(const std::uint8_t* data, std::size_t size, LevelSet& set, Reader&& read) {
  set = Pattern();
  const int expected = ExpectedLevels(size);
  int loaded = -1;
  try {
    loaded = read(set);
  } catch (const EInOutError& e) {
    FUZZ_CHECK(expected == -1);
    FUZZ_CHECK(e.ErrorCode == kReadBeyondEndOfFile.Code);
    FUZZ_CHECK(std::strcmp(e.what(), "Read beyond end of file") == 0);
    FUZZ_CHECK(set == Pattern());
    return;
  }
  FUZZ_CHECK(loaded == expected);
  for (int k = 0; k < loaded; ++k) FUZZ_CHECK(LevelEqualsBlock(set[k], data + 4 + 296 * k));
  for (int k = loaded; k < kLevelCount; ++k) FUZZ_CHECK(set[k] == Pattern()[k]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto set = std::make_unique<LevelSet>();
  static auto other = std::make_unique<LevelSet>();
  const std::span<const std::uint8_t> bytes(data, size);

  CheckReader(data, size, *set, [&](LevelSet& target) { return ParseLevelSetBytes(bytes, target); });

  // Now and then the whole path through a file.
  if (size == 0 || data[size - 1] % 8 == 0) {
    char path[] = "/tmp/quarvel-fuzz-XXXXXX";
    const int fd = ::mkstemp(path);
    FUZZ_CHECK(fd >= 0);
    for (std::size_t done = 0; done < size;) {
      const ssize_t n = ::write(fd, data + done, size - done);
      FUZZ_CHECK(n > 0);
      done += static_cast<std::size_t>(n);
    }
    FUZZ_CHECK(::close(fd) == 0);
    CheckReader(data, size, *other, [&](LevelSet& target) { return ReadLevelSetFile(path, target); });
    ::unlink(path);
  }

  // What was loaded, encoded again, reads back as its playable levels in order.
  const int loaded = ExpectedLevels(size);
  if (loaded >= 0) {
    static auto buffer = std::make_unique<std::array<std::uint8_t, kMaxLevelSetFileSize>>();
    const std::size_t encoded = EncodeLevelSet(*set, *buffer);
    int playable = 0;
    for (int level = 0; level < kLevelCount; ++level) playable += IsLevelPlayable(*set, level) ? 1 : 0;
    FUZZ_CHECK(encoded == 4 + 296 * static_cast<std::size_t>(playable));
    *other = Pattern();
    FUZZ_CHECK(ParseLevelSetBytes(std::span<const std::uint8_t>(buffer->data(), encoded), *other) == playable);
    int j = 0;
    for (int level = 0; level < kLevelCount; ++level)
      if (IsLevelPlayable(*set, level)) FUZZ_CHECK((*other)[j++] == (*set)[level]);
  }
  return 0;
}
