// The README's git recipe, run as it stands, with a real git in a repository of the test's
// own: git diff (as the README shows it), git show and git log -p show a level's change as
// text, with no temporary path, for sets with levels that cannot be played, for sets
// added and deleted, and past sets the editor cannot read.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::DagFile;
using quarvel_test::DagLevel;
using quarvel_test::WriteRaw;

// A fenced block of the README's section on git: its "$ " lines and the lines after them.
struct Block {
  std::vector<std::string> commands;
  std::string output;
};

std::vector<Block> GitSectionBlocks() {
  std::ifstream in(QUARVEL_README);
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string readme = whole.str();
  const auto start = readme.find("\n## Level sets in git\n");
  std::istringstream lines(readme.substr(start, readme.find("\n## ", start + 1) - start));
  std::vector<Block> blocks;
  bool inBlock = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("```")) {
      inBlock = !inBlock;
      if (inBlock) blocks.emplace_back();
    } else if (inBlock && line.starts_with("$ ")) {
      blocks.back().commands.push_back(line.substr(2));
    } else if (inBlock) {
      blocks.back().output += line + "\n";
    }
  }
  return blocks;
}

class GitRecipe : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::access("/usr/bin/git", X_OK), 0) << "git is missing: scripts/install-deps installs it";
    ::mkdir(repo_.c_str(), 0755);
    ::mkdir(home_.c_str(), 0755);
    Git({"init", "-q"});
    Git({"config", "user.name", "Level Designer"});
    Git({"config", "user.email", "designer@example.com"});
    // The recipe as the README gives it, the program found on PATH.
    const std::vector<Block> blocks = GitSectionBlocks();
    ASSERT_EQ(blocks.size(), 2u);
    for (const std::string& command : blocks[0].commands) {
      const ProgramRun run = quarvel_test::RunProgram("/bin/sh", {"-c", command}, dir_.Path(), Environment(), InRepo());
      ASSERT_EQ(run.status, 0) << command << "\n" << run.err;
    }
    ASSERT_EQ(blocks[1].commands, std::vector<std::string>{"git diff"});
    readmeDiff_ = blocks[1].output;
  }

  quarvel_test::Streams InRepo() const {
    quarvel_test::Streams streams;
    streams.folder = repo_;
    return streams;
  }

  // No configuration of the machine or the user's: only the repository's own.
  std::vector<std::string> Environment() const {
    const std::string folder = kProgramPath.substr(0, kProgramPath.rfind('/'));
    const char* path = std::getenv("PATH");
    return {"PATH=" + folder + ":" + (path ? path : "/usr/bin:/bin"), "HOME=" + home_, "GIT_CONFIG_NOSYSTEM=1",
            "GIT_PAGER=cat", "TZ=UTC"};
  }

  std::string Git(const std::vector<std::string>& args) {
    const ProgramRun run = quarvel_test::RunProgram("/usr/bin/git", args, dir_.Path(), Environment(), InRepo());
    EXPECT_EQ(run.status, 0) << "git " << args[0] << ": " << run.err;
    return run.out;
  }

  void ExpectNoTemporaryPath(const std::string& out) {
    EXPECT_EQ(out.find("/tmp"), std::string::npos) << out;
    EXPECT_EQ(out.find("Binary files"), std::string::npos) << out;
  }

  TempDir dir_;
  std::string repo_ = dir_ / "repo";
  std::string home_ = dir_ / "home";
  std::string readmeDiff_;
};

// Level 2 cannot be played (time under 10).
const std::vector<DagLevel> kPack = {Playable(3), Level(5, 0, 1, 0, 0, {{0, 0, 1}}), Playable(4)};

TEST_F(GitRecipe, DiffShowAndLogShowTheChangedLevel) {
  WriteRaw(repo_ + "/pack.dag", DagFile(kPack));
  Git({"add", "."});
  Git({"commit", "-q", "-m", "A pack"});

  std::vector<DagLevel> changed = kPack;
  changed[1].Cell(0, 0) = 2;  // a red block becomes green
  changed[1].rubies = 4;
  changed[1].Cell(5, 10) = 6;  // far enough down for a hunk of its own
  WriteRaw(repo_ + "/pack.dag", DagFile(changed));
  const std::string diff = Git({"diff"});
  ExpectNoTemporaryPath(diff);
  for (const std::string line : {"diff --git a/pack.dag b/pack.dag", "-rubies    1", "+rubies    4", "-R..........  1",
                                 "+G..........  1", " level 2"})
    EXPECT_NE(("\n" + diff).find("\n" + line + "\n"), std::string::npos) << line << "\n" << diff;
  EXPECT_NE(
      diff.find(" @@ level 2\n ...........  8\n ...........  9\n ........... 10\n-........... 11\n+.....^..... 11\n"),
      std::string::npos)
      << "a hunk deep in the rows is named after its level\n"
      << diff;
  EXPECT_EQ(diff, readmeDiff_) << "the README shows this very diff";

  Git({"commit", "-q", "-a", "-m", "Greener level 2"});
  const std::string show = Git({"show", "HEAD"});
  ExpectNoTemporaryPath(show);
  EXPECT_NE(show.find("\n+G..........  1\n"), std::string::npos) << show;
  const std::string log = Git({"log", "-p"});
  ExpectNoTemporaryPath(log);
  EXPECT_NE(log.find("\n+G..........  1\n"), std::string::npos) << log;
  EXPECT_NE(log.find("\n+quarvel-levels text 1\n"), std::string::npos) << "the first commit adds the set as text\n"
                                                                       << log;
}

TEST_F(GitRecipe, SetsAddedAndDeleted) {
  WriteRaw(repo_ + "/old.dag", DagFile(kPack));
  Git({"add", "."});
  Git({"commit", "-q", "-m", "Old"});
  ::unlink((repo_ + "/old.dag").c_str());
  WriteRaw(repo_ + "/new.dag", DagFile({Level(2, 0, 0, 0, 0)}));
  Git({"add", "-A"});
  const std::string diff = Git({"diff", "--cached"});
  ExpectNoTemporaryPath(diff);
  EXPECT_NE(diff.find("deleted file mode"), std::string::npos) << diff;
  EXPECT_NE(diff.find("\n-level 3\n"), std::string::npos) << diff;
  EXPECT_NE(diff.find("new file mode"), std::string::npos) << diff;
  EXPECT_NE(diff.find("\n+time      2\n"), std::string::npos) << diff;
}

// A set git's history holds that the editor cannot read, three commits back, hides
// nothing: git log -p shows every commit, that set's bytes and why, with status 0.
TEST_F(GitRecipe, LogGoesOnPastAnUnreadableSet) {
  const std::vector<std::pair<std::string, quarvel_test::Bytes>> history = {
      {"A pack", DagFile(kPack)},      {"An empty placeholder", {}},        {"Cut short", WithTail(DagFile(kPack), 5)},
      {"Whole again", DagFile(kPack)}, {"Greener", DagFile({Playable(5)})},
  };
  for (const auto& [message, bytes] : history) {
    WriteRaw(repo_ + "/pack.dag", bytes);
    Git({"add", "."});
    Git({"commit", "-q", "-m", message});
  }
  const ProgramRun run = quarvel_test::RunProgram("/usr/bin/git", {"log", "-p"}, dir_.Path(), Environment(), InRepo());
  EXPECT_EQ(run.status, 0) << run.err;
  ExpectNoTemporaryPath(run.out + run.err);
  for (const auto& [message, bytes] : history)
    EXPECT_NE(run.out.find("    " + message + "\n"), std::string::npos) << message << "\n" << run.out;
  EXPECT_NE(run.out.find("\n+quarvel-levels: not a readable level set: Read beyond end of file: the last 5 bytes are "
                         "not a whole record.\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\n+00000000  44 41 47 00 "), std::string::npos) << run.out;
}

}  // namespace
