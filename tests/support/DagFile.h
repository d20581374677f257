#pragma once
// Level set file bytes for test fixtures, written out here by hand and apart from the
// program's writer, so that the tests hold the program's files against a second,
// independent account of the layout.
//
// A file is the 4 header bytes 44 41 47 00, then one 296-byte block per level. Every value
// is a signed 16-bit little-endian number; a block holds Time, Bombs, Rubies, Emeralds,
// Sapphires, then the 143 cells column by column (element column * 13 + row).
//
// Plain C++ with nothing of the program, so that the command-line fixture tool
// (dag_fixture.cpp) is built from this same header.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarvel_test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kDagColumns = 11;
inline constexpr int kDagRows = 13;
inline constexpr std::size_t kDagHeaderSize = 4;
inline constexpr std::size_t kDagBlockSize = 2 * (5 + kDagColumns * kDagRows);  // 296

// One level as a file holds it.
struct DagLevel {
  std::int16_t time = 0, bombs = 0, rubies = 0, emeralds = 0, sapphires = 0;
  std::array<std::int16_t, kDagColumns * kDagRows> cells{};  // element column * 13 + row

  std::int16_t& Cell(int column, int row) { return cells[static_cast<std::size_t>(column * kDagRows + row)]; }
};

inline Bytes DagHeader() { return {0x44, 0x41, 0x47, 0x00}; }

inline void AppendLe16(Bytes& out, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  out.push_back(static_cast<std::uint8_t>(bits & 0xFF));
  out.push_back(static_cast<std::uint8_t>(bits >> 8));
}

// The 296 bytes of one level.
inline Bytes DagBlock(const DagLevel& level) {
  Bytes out;
  out.reserve(kDagBlockSize);
  for (std::int16_t value : {level.time, level.bombs, level.rubies, level.emeralds, level.sapphires})
    AppendLe16(out, value);
  for (std::int16_t cell : level.cells) AppendLe16(out, cell);
  return out;
}

// A whole file: the header, then the levels in order.
inline Bytes DagFile(const std::vector<DagLevel>& levels) {
  Bytes out = DagHeader();
  for (const DagLevel& level : levels) {
    const Bytes block = DagBlock(level);
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

}  // namespace quarvel_test
