// quarvel-levels copy never loses a level without being told to: a copy that copies
// nothing, or whose save would drop anything, writes nothing and says why; --dry-run
// only tells. Every case checks the target's bytes and modification time afterwards.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::ReadAll;
using quarvel_test::WriteRaw;

struct SafetyCase {
  std::string name;
  std::vector<DagLevel> source;
  Bytes target;
  std::vector<std::string> options;
  int status;
  std::string out;  // SRC and TGT stand for the paths
  std::string err;
};

const std::string kRefusal = "quarvel-levels: TGT: The save would drop ";

std::vector<SafetyCase> SafetyCases() {
  const DagLevel late = Level(5, 0, 0, 0, 0, {{0, 0, 1}});  // time under 10
  const DagLevel empty = Level(0, 0, 0, 0, 0);
  return {
      {"CopiesNothing",
       Many(3),
       DagFile(Many(2)),
       {"--start", "4"},
       1,
       "",
       "quarvel-levels: SRC: Nothing to copy: it holds 3 levels, --start is 4; nothing written.\n"},
      {"CopiesNothingFromAnEmptySource",
       {},
       DagFile(Many(2)),
       {},
       1,
       "",
       "quarvel-levels: SRC: Nothing to copy: it holds 0 levels, --start is 1; nothing written.\n"},
      {"WouldDropAnUnplayableLevel",
       Many(1),
       DagFile({Playable(), late, Playable()}),
       {},
       1,
       "",
       kRefusal + "1 level; nothing written (--drop allows it).\nwould drop level 2: not playable (time under 10)\n"},
      {"WouldDropAnEmptyLevelAndRenumber",
       Many(1),
       DagFile({Playable(), empty, Playable()}),
       {},
       1,
       "",
       kRefusal + "1 level; nothing written (--drop allows it).\nwould drop level 2: empty\n"},
      {"WouldDropACopiedLevel",
       {late},
       DagFile(Many(2)),
       {"--after", "2"},
       1,
       "",
       kRefusal + "1 level; nothing written (--drop allows it).\nwould drop level 2: not playable (time under 10)\n"},
      {"WouldDropRecordsPastLevel256",
       Many(1),
       DagFile(std::vector<DagLevel>(300, Playable())),
       {},
       1,
       "",
       kRefusal +
           "44 levels; nothing written (--drop allows it).\nwould drop records 257-300: past level 256, never read\n"},
      {"WouldDropBytesAfterTheLastRecord",
       Many(1),
       WithTail(DagFile(std::vector<DagLevel>(256, Playable())), 10),
       {},
       1,
       "",
       kRefusal + "10 bytes; nothing written (--drop allows it).\nwould drop 10 bytes after the last whole record: "
                  "never read\n"},
      {"DryRun",
       Many(2),
       DagFile(Many(3)),
       {"--after", "2", "--quantity", "2", "--dry-run"},
       0,
       "would copy 2 levels: SRC levels 1-2 to levels 2-3\n"
       "would save TGT: 3 levels before, 2 copied, 2 replaced, 0 dropped: 3 levels written\n",
       ""},
      {"DryRunOfARefusedCopy",
       Many(1),
       DagFile({Playable(), empty, Playable()}),
       {"--dry-run"},
       1,
       "",
       kRefusal + "1 level; nothing written (--drop allows it).\nwould drop level 2: empty\n"},
      {"DryRunWithDrop",
       Many(1),
       DagFile({Playable(), empty, Playable()}),
       {"--dry-run", "--drop"},
       0,
       "would copy 1 level: SRC level 1 to level 1\n"
       "would drop level 2: empty\n"
       "would save TGT: 3 levels before, 1 copied, 1 replaced, 1 dropped: 2 levels written\n",
       ""},
      // Levels past the end of the target are missing, and the save closes a gap as it
      // closes an empty level: refused alike, unless --drop.
      {"WouldGoPastTheEnd",
       Many(2),
       DagFile(Many(3)),
       {"--quantity", "2", "--after", "250"},
       1,
       "",
       "quarvel-levels: TGT: The copies would go to levels 250-251, past its 3 levels, and the save would close the "
       "gap: saved as levels 4-5; nothing written (--after 4 puts them there, --drop allows it).\n"},
      {"DryRunPastTheEnd",
       Many(1),
       DagFile(Many(3)),
       {"--after", "5", "--dry-run"},
       1,
       "",
       "quarvel-levels: TGT: The copies would go to level 5, past its 3 levels, and the save would close the gap: "
       "saved as level 4; nothing written (--after 4 puts them there, --drop allows it).\n"},
      {"DryRunPastTheEndWithDrop",
       Many(2),
       DagFile(Many(3)),
       {"--quantity", "2", "--after", "250", "--drop", "--dry-run"},
       0,
       "would copy 2 levels: SRC levels 1-2 to levels 250-251, saved as levels 4-5\n"
       "would save TGT: 3 levels before, 2 copied, 0 replaced, 0 dropped: 5 levels written\n",
       ""},
  };
}

void PrintTo(const SafetyCase& c, std::ostream* os) { *os << c.name; }

class CopySafetyTest : public testing::TestWithParam<SafetyCase> {};

TEST_P(CopySafetyTest, TargetKeepsItsBytesAndTime) {
  const SafetyCase& c = GetParam();
  TempDir dir;
  const std::string source = dir / "source.dag", target = dir / "target.dag";
  WriteRaw(source, DagFile(c.source));
  WriteRaw(target, c.target);
  const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, target.c_str(), old, 0), 0);

  std::vector<std::string> args{"copy", source, target};
  args.insert(args.end(), c.options.begin(), c.options.end());
  const ProgramRun run = RunLevels(dir, args);
  auto expand = [&](const std::string& text) { return Replace(Replace(text, "SRC", source), "TGT", target); };
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, expand(c.out));
  EXPECT_EQ(run.err, expand(c.err));

  EXPECT_EQ(ReadAll(target), c.target);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, old[1].tv_sec);
  EXPECT_EQ(st.st_mtim.tv_nsec, 0);
  EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{".", "..", "source.dag", "target.dag"}));
}

INSTANTIATE_TEST_SUITE_P(CopySafety, CopySafetyTest, testing::ValuesIn(SafetyCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
