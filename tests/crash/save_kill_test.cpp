// A save killed at any moment leaves the level file whole: it reads as exactly the set it
// held before or exactly the set being saved, never a mix or a cut. What a killed save
// leaves beside it is a file named after it, NAME.saving-XXXXXXXXXXXX, for a person to
// recognise and remove.
//
// QUARVEL_KILLS sets the number of kills (default 300).

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "LevelSets.h"
#include "TempDir.h"
#include "files/LevelSetFile.h"

using namespace quarvel;
using namespace quarvel_test;

namespace {

// Every level playable and every level different from the same level of another seed, so
// that each of the 256 blocks of the two files differs.
std::unique_ptr<LevelSet> PlayableSet(int seed) {
  auto set = NewSet();
  for (int level = 0; level < kLevelCount; ++level) {
    LevelRecord& r = (*set)[level];
    for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>(1 + (seed + level + i) % 4);
    r.Rubies = static_cast<std::int16_t>(seed);
    r.Emeralds = static_cast<std::int16_t>(level % 7);
    r.Sapphires = 1;
    r.Bombs = 2;
    r.Time = static_cast<std::int16_t>(100 + seed + level);
  }
  return set;
}

Bytes FileOf(const LevelSet& set) {
  std::vector<DagLevel> levels;
  for (const LevelRecord& record : set) levels.push_back(DagLevelOf(record));
  return DagFile(levels);
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

void SleepMicroseconds(long us) {
  timespec t{us / 1000000, (us % 1000000) * 1000};
  while (::nanosleep(&t, &t) != 0) {
  }
}

int Kills() {
  const char* text = std::getenv("QUARVEL_KILLS");
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 300;
}

}  // namespace

TEST(KilledSave, TheFileReadsAsTheOldSetOrTheNewOneAndLeftoversAreNamedAfterIt) {
  TempDir dir;
  const std::string path = dir / "pack.dag";
  const auto oldSet = PlayableSet(0);
  const auto newSet = PlayableSet(1);
  const Bytes oldBytes = FileOf(*oldSet);
  const Bytes newBytes = FileOf(*newSet);
  ASSERT_EQ(oldBytes.size(), 75780u);
  ASSERT_NE(oldBytes, newBytes);

  // How long one save takes here, so that the kills can be spread over it.
  WriteRaw(path, oldBytes);
  const auto start = std::chrono::steady_clock::now();
  constexpr int kTimed = 5;
  for (int i = 0; i < kTimed; ++i) WriteLevelSetFile(path, i % 2 ? *oldSet : *newSet);
  const long saveUs = std::max<long>(
      20,
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / kTimed);
  ASSERT_EQ(ReadAll(path), newBytes);

  const std::regex leftover("pack\\.dag\\.saving-[0-9a-f]{12}");
  const unsigned seed = static_cast<unsigned>(std::random_device{}());
  std::mt19937 random(seed);
  // Mostly within the save, some before it starts and some after it ends.
  std::uniform_int_distribution<long> delay(0, saveUs * 3 / 2);
  int sawOld = 0, sawNew = 0, leftovers = 0;
  const int kills = Kills();
  for (int k = 0; k < kills; ++k) {
    WriteRaw(path, oldBytes);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const char go = 1;
      if (::write(ready[1], &go, 1) != 1) ::_exit(2);
      try {
        WriteLevelSetFile(path, *newSet);
      } catch (...) {
        ::_exit(3);
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    char go = 0;
    const bool started = ::read(ready[0], &go, 1) == 1;
    ::close(ready[0]);
    const long waitUs = delay(random);
    SleepMicroseconds(waitUs);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(started);
    // Finished before the kill: it must have succeeded.
    if (WIFEXITED(status)) {
      ASSERT_EQ(WEXITSTATUS(status), 0) << "the save failed in kill " << k;
    }

    const Bytes now = ReadAll(path);
    if (now == oldBytes) {
      ++sawOld;
    } else if (now == newBytes) {
      ++sawNew;
    } else {
      FAIL() << "kill " << k << " of seed " << seed << " after " << waitUs << " us: the file holds " << now.size()
             << " bytes that are neither the old set nor the new one";
    }
    for (const std::string& name : Names(dir.Path())) {
      if (name == "pack.dag") continue;
      ASSERT_TRUE(std::regex_match(name, leftover)) << "kill " << k << " left " << name;
      ++leftovers;
      ::unlink((dir / name).c_str());
    }
  }
  std::printf(
      "%d kills over saves of about %ld us (seed %u): %d left the old set, %d the new one, %d left a "
      "temporary file\n",
      kills, saveUs, seed, sawOld, sawNew, leftovers);
  // Kills that all landed before or all after the save would have tested nothing.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}
