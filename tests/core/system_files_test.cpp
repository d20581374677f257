// The door to the system (files/SystemFiles.h) as its callers see it on POSIX: what a name
// stands for, one file under two names, and standard input and files read to their end
// or to a bound.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "TempDir.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"

using namespace quarvel;
using namespace quarvel_test;

namespace {

// Standard input reads `path` while it lives.
class StandardInputFrom {
 public:
  explicit StandardInputFrom(const std::string& path) : saved_(::dup(STDIN_FILENO)) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    EXPECT_GE(fd, 0) << path;
    ::dup2(fd, STDIN_FILENO);
    ::close(fd);
  }
  StandardInputFrom(const StandardInputFrom&) = delete;
  StandardInputFrom& operator=(const StandardInputFrom&) = delete;
  ~StandardInputFrom() {
    ::dup2(saved_, STDIN_FILENO);
    ::close(saved_);
  }

 private:
  int saved_;
};

TEST(SystemFiles, WhatANameStandsFor) {
  TempDir dir;
  WriteRaw(dir / "file.dag", PatternBytes(300));
  ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("file.dag", (dir / "link.dag").c_str()), 0);
  ASSERT_EQ(::symlink("folder", (dir / "folder-link").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere.dag", (dir / "dangling.dag").c_str()), 0);
  const std::string socketPath = dir / "socket";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  struct Case {
    std::string name;
    FileKind kind;
    std::string_view kindName;
    bool exists;
    std::optional<std::uint64_t> length;
  };
  const Case cases[] = {
      {dir / "file.dag", FileKind::Regular, "", true, 300},
      {dir / "link.dag", FileKind::Regular, "", true, 300},  // links are followed
      {dir / "folder", FileKind::Folder, "a folder", true, std::nullopt},
      {dir / "folder-link", FileKind::Folder, "a folder", true, std::nullopt},
      {dir / "fifo", FileKind::Fifo, "a FIFO", true, 0},
      {"/dev/null", FileKind::Device, "a character device", true, 0},
      {socketPath, FileKind::Socket, "a socket", true, 0},
      // A link that leads nowhere is no file, but its name is taken.
      {dir / "dangling.dag", FileKind::Missing, "", true, std::nullopt},
      {dir / "missing.dag", FileKind::Missing, "", false, std::nullopt},
      {dir / "file.dag/below", FileKind::Missing, "", false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KindOfFile(c.name), c.kind) << c.name;
    EXPECT_EQ(FileKindName(KindOfFile(c.name)), c.kindName) << c.name;
    EXPECT_EQ(NameExists(c.name), c.exists) << c.name;
    if (c.kind != FileKind::Folder) {  // a folder's length is the file system's business
      EXPECT_EQ(FileLength(c.name), c.length) << c.name;
    }
  }
  ::close(listener);
}

TEST(SystemFiles, SameFileWhateverTheName) {
  TempDir dir;
  WriteRaw(dir / "a.dag", PatternBytes(8));
  WriteRaw(dir / "copy.dag", PatternBytes(8));
  ASSERT_EQ(::link((dir / "a.dag").c_str(), (dir / "hard.dag").c_str()), 0);
  ASSERT_EQ(::symlink("a.dag", (dir / "soft.dag").c_str()), 0);
  struct Case {
    std::string other;
    bool same;
  };
  const Case cases[] = {
      {dir / "a.dag", true},        {dir / "./a.dag", true},   {dir / "hard.dag", true},
      {dir / "soft.dag", true},     {dir / "copy.dag", false},  // the same bytes in another file
      {dir / "missing.dag", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFile(dir / "a.dag", c.other), c.same) << c.other;
  EXPECT_FALSE(SameFile(dir / "missing.dag", dir / "missing.dag"));
}

// Standard input and files by name, read to their end or to a bound: what lies past the
// bound is never read, so endless input ends.
TEST(SystemFiles, ReadsToTheEndOrTheBound) {
  TempDir dir;
  const Bytes bytes = PatternBytes(200'000);  // more than one read takes
  WriteRaw(dir / "in", bytes);
  struct Case {
    std::size_t limit;
    std::size_t kept;
    bool cut;
  };
  const Case cases[] = {
      {0, 0, true}, {10, 10, true}, {199'999, 199'999, true}, {200'000, 200'000, false}, {SIZE_MAX, 200'000, false}};
  for (const Case& c : cases) {
    const StandardInputFrom input(dir / "in");
    for (const BoundedBytes& in : {ReadStandardInput(c.limit), ReadFileUpTo(dir / "in", c.limit)}) {
      EXPECT_EQ(in.Cut, c.cut) << c.limit;
      EXPECT_EQ(in.Bytes, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.kept))) << c.limit;
    }
  }
  {
    const StandardInputFrom endless("/dev/zero");
    const BoundedBytes in = ReadStandardInput(std::size_t{1} << 20);
    EXPECT_TRUE(in.Cut);
    EXPECT_EQ(in.Bytes.size(), std::size_t{1} << 20);
  }
  // A FIFO by name is read as its writer writes it.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  const pid_t writer = ::fork();
  if (writer == 0) {
    const int fd = ::open((dir / "fifo").c_str(), O_WRONLY);
    const bool wrote = fd >= 0 && ::write(fd, bytes.data(), 70'000) == 70'000;
    ::_exit(wrote ? 0 : 1);
  }
  EXPECT_EQ(ReadFileUpTo(dir / "fifo", SIZE_MAX).Bytes, Bytes(bytes.begin(), bytes.begin() + 70'000));
  int status = 0;
  ::waitpid(writer, &status, 0);
  EXPECT_EQ(status, 0);

  ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0755), 0);
  for (const std::string& refused : {dir / "folder", std::string("/dev/zero")}) {
    try {
      ReadFileUpTo(refused, SIZE_MAX);
      ADD_FAILURE() << refused << " read";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.ErrorCode, kFileAccessDenied.Code) << refused;
    }
  }
  const StandardInputFrom input(dir / "folder");
  EXPECT_EQ(KindOfStandardInput(), FileKind::Folder);
  try {
    ReadStandardInput(SIZE_MAX);
    ADD_FAILURE() << "a folder read as standard input";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, kFileAccessDenied.Code);
  }
}

}  // namespace
