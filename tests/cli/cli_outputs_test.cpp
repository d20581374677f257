// The one rule of outputs: every command that writes a file replaces only a file of the
// kind it writes itself, or an empty one; never a file of another kind (unless --force),
// one of its inputs under another name, a FIFO or a device. A refusal says what the file
// is, ends with status 2 and leaves the file's bytes and time as they were.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "cli/FileNames.h"
#include "files/LevelSetBytes.h"
#include "files/TextForm.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::ReadAll;
using quarvel_test::WriteRaw;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The commands that write, OUT their output, SET and TEXT their inputs.
struct Writer {
  std::string name;
  std::vector<std::string> args;
  std::string writes;  // the kind it may replace: "set", "text" or "png"
};

const std::vector<Writer> kWriters = {
    {"Export", {"export", "SET", "-o", "OUT"}, "text"},
    {"Import", {"import", "TEXT", "-o", "OUT"}, "set"},
    {"Render", {"render", "SET", "-o", "OUT"}, "png"},
    {"Thumbnail", {"thumbnail", "SET", "OUT"}, "png"},
    {"ThumbnailWithO", {"thumbnail", "-s", "64", "SET", "-o", "OUT"}, "png"},
    {"Copy", {"copy", "SET", "OUT", "--after", "2"}, "set"},
};

// What OUT is before the command runs.
struct Victim {
  std::string name;
  std::string kind;  // "set", "text", "png", or "" for any other
  std::string says;  // the refusal
};

const std::vector<Victim> kVictims = {
    {"LevelSet", "set", "Is a level set, not "},
    {"SetOfAnotherHeader", "set", "Is a level set, not "},
    {"TextExport", "text", "Is a set's text, not "},
    {"Png", "png", "Is a PNG, not "},
    {"Notes", "", "Is a file of another kind, not "},
    {"InputByAnotherName", "input", "Is an input; it is never written over."},
    {"Fifo", "fifo", "Is a FIFO, not a file; nothing written."},
    {"Device", "device", "Is a character device, not a file; nothing written."},
};

struct WriterCase {
  Writer writer;
  Victim victim;
};

std::vector<WriterCase> WriterCases() {
  std::vector<WriterCase> cases;
  for (const Writer& w : kWriters)
    for (const Victim& v : kVictims) cases.push_back({w, v});
  return cases;
}

void PrintTo(const WriterCase& c, std::ostream* os) { *os << c.writer.name << c.victim.name; }

class WriterTest : public testing::TestWithParam<WriterCase> {};

TEST_P(WriterTest, ReplacesOnlyItsOwnKind) {
  const Writer& w = GetParam().writer;
  const Victim& v = GetParam().victim;
  TempDir dir;
  const Bytes set = DagFile(Many(3));
  const std::string text = quarvel::WriteTextForm(quarvel::DecodeSetBytes(set));
  WriteRaw(dir / "set.dag", set);
  WriteRaw(dir / "set.txt", BytesOf(text));
  // Every output has a picture's name, which render asks for.
  const std::string out = dir / "out.png";
  Bytes other = DagFile(Many(2));
  if (v.name == "SetOfAnotherHeader") std::fill(other.begin(), other.begin() + 4, 0);
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  if (v.kind == "set") WriteRaw(out, other);
  if (v.kind == "text") WriteRaw(out, BytesOf(quarvel::WriteTextForm(quarvel::DecodeSetBytes(DagFile(Many(1))))));
  if (v.kind == "png") WriteRaw(out, png);
  if (v.kind.empty()) WriteRaw(out, BytesOf("Notes on the levels\n"));
  if (v.kind == "input") ::link((w.args[1] == "TEXT" ? dir / "set.txt" : dir / "set.dag").c_str(), out.c_str());
  if (v.kind == "fifo") ::mkfifo(out.c_str(), 0644);
  if (v.kind == "device") ::symlink("/dev/null", out.c_str());
  const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ::utimensat(AT_FDCWD, out.c_str(), old, AT_SYMLINK_NOFOLLOW);
  const Bytes before = v.kind == "fifo" || v.kind == "device" ? Bytes{} : ReadAll(out);

  std::vector<std::string> args;
  for (const std::string& a : w.args)
    args.push_back(Replace(Replace(Replace(a, "SET", dir / "set.dag"), "TEXT", dir / "set.txt"), "OUT", out));
  const ProgramRun run = RunLevels(dir, args);
  EXPECT_TRUE(quarvel_cli::IsUtf8(run.err)) << run.err;
  // Copy's target is its set: it is read first, and only a level set is read; a copy within
  // one set, under any names, is a copy like any other.
  const bool copyReads = w.name == "Copy" && v.kind != "fifo";
  const bool ownKind = w.name == "Copy" ? v.name == "LevelSet" || v.kind == "input" : v.kind == w.writes;
  if (ownKind) {
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(ReadAll(out), before);
    return;
  }
  EXPECT_EQ(run.status, 2) << run.out;
  const std::string writes = w.writes == "set" ? "a level set" : w.writes == "text" ? "a set's text" : "a PNG";
  const std::string says =
      v.says.ends_with("not ") ? v.says + writes + "; nothing written, and --force replaces it." : v.says;
  if (!copyReads) {
    EXPECT_EQ(run.err, "quarvel-levels: " + out + ": " + says + "\n");
  }
  EXPECT_EQ(run.out, "");
  struct stat st {};
  ASSERT_EQ(::lstat(out.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, old[1].tv_sec);
  if (v.kind != "fifo" && v.kind != "device") {
    EXPECT_EQ(ReadAll(out), before);
  }
  EXPECT_EQ(ReadAll(dir / "set.dag"), set);

  // --force is the one way past the kind, never past an input, a FIFO or a device.
  if (w.name == "Copy") return;
  args.push_back("--force");
  const ProgramRun forced = RunLevels(dir, args);
  const bool mayForce = !v.kind.empty() ? v.kind == "set" || v.kind == "text" || v.kind == "png" : true;
  EXPECT_EQ(forced.status, mayForce ? 0 : 2) << forced.err;
  EXPECT_EQ(ReadAll(dir / "set.dag"), set);
  EXPECT_EQ(ReadAll(dir / "set.txt"), BytesOf(text));
}

INSTANTIATE_TEST_SUITE_P(Outputs, WriterTest, testing::ValuesIn(WriterCases()),
                         [](const auto& info) { return info.param.writer.name + info.param.victim.name; });

}  // namespace
