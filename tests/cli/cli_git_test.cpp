// The README's git recipe with a real git in a repository of the test's own: git diff,
// git show and git log -p show a level's change as text, with no temporary path, for sets
// with levels that cannot be played and for sets added and deleted.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::DagFile;
using quarvel_test::DagLevel;
using quarvel_test::WriteRaw;

class GitRecipe : public testing::Test {
 protected:
  void SetUp() override {
    ::mkdir(repo_.c_str(), 0755);
    ::mkdir(home_.c_str(), 0755);
    Git({"init", "-q"});
    Git({"config", "user.name", "Level Designer"});
    Git({"config", "user.email", "designer@example.com"});
    // The recipe, as the README gives it, with the program's path in the build tree.
    WriteRaw(repo_ + "/.gitattributes", Bytes("*.dag diff=quarvel\n"));
    Git({"config", "diff.quarvel.textconv", "'" + kProgramPath + "' export"});
    Git({"config", "diff.quarvel.xfuncname", "^((level|record) .*)$"});
  }

  static quarvel_test::Bytes Bytes(const std::string& text) { return {text.begin(), text.end()}; }

  std::string Git(const std::vector<std::string>& args) {
    quarvel_test::Streams streams;
    streams.folder = repo_;
    // No configuration of the machine or the user's: only the repository's own.
    const ProgramRun run = quarvel_test::RunProgram(
        "/usr/bin/git", args, dir_.Path(), {"HOME=" + home_, "GIT_CONFIG_NOSYSTEM=1", "GIT_PAGER=cat", "TZ=UTC"}, streams);
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
  EXPECT_NE(diff.find(" @@ level 2\n ...........  8\n ...........  9\n ........... 10\n-........... 11\n+.....^..... 11\n"), std::string::npos)
      << "a hunk deep in the rows is named after its level\n" << diff;

  Git({"commit", "-q", "-a", "-m", "Greener level 2"});
  const std::string show = Git({"show", "HEAD"});
  ExpectNoTemporaryPath(show);
  EXPECT_NE(show.find("\n+G..........  1\n"), std::string::npos) << show;
  const std::string log = Git({"log", "-p"});
  ExpectNoTemporaryPath(log);
  EXPECT_NE(log.find("\n+G..........  1\n"), std::string::npos) << log;
  EXPECT_NE(log.find("\n+quarvel-levels text 1\n"), std::string::npos) << "the first commit adds the set as text\n" << log;
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

}  // namespace
