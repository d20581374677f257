#pragma once
// What the quarvel-levels tests share: small levels, the program run in a folder of the
// test's own, and the folder's names.

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DagFile.h"
#include "RunProgram.h"
#include "TempDir.h"

namespace quarvel_cli_test {

using quarvel_test::DagLevel;
using quarvel_test::ProgramRun;
using quarvel_test::TempDir;

inline const std::string kProgramPath = QUARVEL_LEVELS_PROGRAM;

struct CellCode {
  int col, row, code;
};

inline DagLevel Level(int time, int bombs, int rubies, int emeralds, int sapphires, std::vector<CellCode> cells = {}) {
  DagLevel level;
  level.time = static_cast<std::int16_t>(time);
  level.bombs = static_cast<std::int16_t>(bombs);
  level.rubies = static_cast<std::int16_t>(rubies);
  level.emeralds = static_cast<std::int16_t>(emeralds);
  level.sapphires = static_cast<std::int16_t>(sapphires);
  for (const CellCode& c : cells) level.Cell(c.col, c.row) = static_cast<std::int16_t>(c.code);
  return level;
}

// A playable level: `blocks` red blocks along the top rows, demand 1, time 60.
inline DagLevel Playable(int blocks = 3) {
  std::vector<CellCode> cells;
  for (int i = 0; i < blocks; ++i) cells.push_back({i % 11, i / 11, 1});
  return Level(60, 0, 1, 0, 0, cells);
}

// Counted here from the fixture, apart from the program.
inline int BlocksOf(const DagLevel& level) {
  return static_cast<int>(
      std::count_if(level.cells.begin(), level.cells.end(), [](std::int16_t c) { return c >= 1 && c <= 4; }));
}
inline int DemandOf(const DagLevel& level) { return level.rubies + level.emeralds + level.sapphires + level.bombs; }
inline bool UsedInFixture(const DagLevel& level) {
  return level.time != 0 || level.bombs != 0 || level.rubies != 0 || level.emeralds != 0 || level.sapphires != 0 ||
         std::any_of(level.cells.begin(), level.cells.end(), [](std::int16_t c) { return c != 0; });
}

inline ProgramRun RunLevels(const TempDir& dir, const std::vector<std::string>& args,
                            const std::vector<std::string>& env = {}, const quarvel_test::Streams& streams = {}) {
  return quarvel_test::RunProgram(kProgramPath, args, dir.Path(), env, streams);
}

inline std::vector<std::string> FolderNames(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(d)) names.emplace_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The bytes with `extra` more after them: a tail that is not a whole record.
inline quarvel_test::Bytes WithTail(quarvel_test::Bytes bytes, std::size_t extra) {
  bytes.resize(bytes.size() + extra, 0x5A);
  return bytes;
}

// `count` playable levels, each unlike the others.
inline std::vector<DagLevel> Many(int count) {
  std::vector<DagLevel> levels;
  for (int i = 0; i < count; ++i) levels.push_back(Playable(1 + i));
  return levels;
}

}  // namespace quarvel_cli_test
