// Level set files against the file system: failures and their codes, and that a failed
// read or save changes nothing. Privilege-dependent cases run in a forked child that
// drops to the unprivileged user nobody (65534) when the tests run as root, as CI does.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "LevelSets.h"
#include "TempDir.h"
#include "files/InOutError.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

using namespace quarvel;
using namespace quarvel_test;

namespace {

constexpr uid_t kNobody = 65534;

std::unique_ptr<LevelSet> StampedSet(int seed = 0) {
  auto set = NewSet();
  for (int level = 0; level < kLevelCount; ++level) {
    LevelRecord& r = (*set)[level];
    for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>(seed + level * 131 + i * 3 - 700);
    r.Rubies = static_cast<std::int16_t>(seed - level);
    r.Emeralds = static_cast<std::int16_t>(level);
    r.Sapphires = -2;
    r.Bombs = 5;
    r.Time = static_cast<std::int16_t>(-level);
  }
  return set;
}

// Every level playable: a file of 75,780 bytes.
std::unique_ptr<LevelSet> FullSet() {
  auto set = StampedSet(9);
  for (int level = 0; level < kLevelCount; ++level) {
    (*set)[level].Time = 60;
    (*set)[level].Rubies = -100;
    (*set)[level].Emeralds = static_cast<std::int16_t>(-level);
  }
  for (int level = 0; level < kLevelCount; ++level) EXPECT_TRUE(IsLevelPlayable(*set, level));
  return set;
}

// What a folder holds: each name with its content ("<dir>" and "-> target" for the others).
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> result;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return result;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "/" + name;
    struct stat st;
    ::lstat(path.c_str(), &st);
    if (S_ISDIR(st.st_mode)) {
      result[name] = "<dir>";
    } else if (S_ISLNK(st.st_mode)) {
      char target[4096] = {};
      (void)::readlink(path.c_str(), target, sizeof target - 1);
      result[name] = std::string("-> ") + target;
    } else if (S_ISREG(st.st_mode)) {
      // Size, an FNV-1a hash of the content and the mode: short enough to read in a failure.
      std::uint64_t hash = 14695981039346656037ull;
      for (std::uint8_t byte : ReadAll(path)) hash = (hash ^ byte) * 1099511628211ull;
      char text[96];
      std::snprintf(text, sizeof text, "%lld bytes, hash %016llx, mode %04o", static_cast<long long>(st.st_size),
                    static_cast<unsigned long long>(hash), static_cast<unsigned>(st.st_mode & 07777));
      result[name] = text;
    } else {
      result[name] = "<special>";
    }
  }
  ::closedir(dir);
  return result;
}

// The code of the EInOutError that a call raises, 0 when it succeeds.
template <typename F>
int CodeOf(F&& call) {
  try {
    call();
  } catch (const EInOutError& e) {
    return e.ErrorCode;
  }
  return 0;
}

// Runs `body` in a forked child and returns its exit status (or 1000 + the signal that
// ended it). With `unprivileged`, a root process first becomes nobody; a process that is
// not root already is unprivileged. The child is killed by SIGALRM after `timeout` seconds.
int InChild(const std::function<int()>& body, bool unprivileged = false, unsigned timeout = 30) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(timeout);
    if (unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(254);
    }
    int status = 253;
    try {
      status = body();
    } catch (...) {
      status = 252;
    }
    ::_exit(status);
  }
  if (pid < 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 1000 + WTERMSIG(status);
  return -1;
}

// A read that fails must leave the set as it was: the child reports 250 if it did not.
int ReadCodeKeepingSet(const std::string& path) {
  auto set = StampedSet();
  const auto before = *set;
  const int code = CodeOf([&] { ReadLevelSetFile(path, *set); });
  return SameSet(*set, before) ? code : 250;
}

int SaveCode(const std::string& path, const LevelSet& set) {
  return CodeOf([&] { WriteLevelSetFile(path, set); });
}

// The bytes a save of `set` must leave: its playable levels, by the tests' own encoder.
Bytes SavedBytes(const LevelSet& set) {
  std::vector<DagLevel> levels;
  for (int level = 0; level < kLevelCount; ++level)
    if (IsLevelPlayable(set, level)) levels.push_back(DagLevelOf(set[level]));
  return DagFile(levels);
}

// From now on every call of system call `number` in this process fails with `err`, as on a
// disk that stops answering (a seccomp filter: no privilege needed). For a child.
bool FailSystemCall(long number, int err) {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(number), 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<std::uint32_t>(err)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  const sock_fprog program = {static_cast<unsigned short>(std::size(filter)), filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// A file with two names: `first`, and `second` in a folder of its own.
struct LinkedFile {
  explicit LinkedFile(const TempDir& dir) : first(dir / "levels.dag"), second(dir / "games/pack.dag") {
    ::mkdir((dir / "games").c_str(), 0755);
  }
  // Gives `first` the content and `second` as its other name.
  void Make(const Bytes& content, mode_t mode = 0644) const {
    ::unlink(second.c_str());
    WriteRaw(first, content, mode);
    EXPECT_EQ(::link(first.c_str(), second.c_str()), 0);
  }
  // Both names still name one file, and with no other name.
  bool StillLinked() const {
    struct stat a, b;
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_ino == b.st_ino && a.st_nlink == 2;
  }
  std::string first, second;
};

}  // namespace

TEST(LevelSetFileErrors, AMissingFileFailsWith2AndChangesNothing) {
  TempDir dir;
  auto set = StampedSet();
  const auto before = *set;
  try {
    ReadLevelSetFile(dir / "missing.dag", *set);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, kFileNotFound.Code);
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_TRUE(SameSet(*set, before));
  // A dangling symlink names no file either.
  ASSERT_EQ(::symlink("nowhere.dag", (dir / "dangling.dag").c_str()), 0);
  EXPECT_EQ(ReadCodeKeepingSet(dir / "dangling.dag"), kFileNotFound.Code);
}

TEST(LevelSetFileErrors, AMissingFolderOrABadNameFailsWith3) {
  TempDir dir;
  EXPECT_EQ(ReadCodeKeepingSet(dir / "no-folder/levels.dag"), kInvalidFilename.Code);
  EXPECT_EQ(ReadCodeKeepingSet(""), kInvalidFilename.Code);
  EXPECT_EQ(ReadCodeKeepingSet(dir / std::string(300, 'n')), kInvalidFilename.Code);
  WriteRaw(dir / "plain.dag", PatternBytes(300));
  EXPECT_EQ(ReadCodeKeepingSet(dir / "plain.dag/inside.dag"), kInvalidFilename.Code);  // ENOTDIR

  auto set = FullSet();
  const auto before = Snapshot(dir.Path());
  EXPECT_EQ(SaveCode(dir / "no-folder/levels.dag", *set), kInvalidFilename.Code);
  EXPECT_EQ(SaveCode("", *set), kInvalidFilename.Code);
  EXPECT_EQ(SaveCode(dir / std::string(300, 'n'), *set), kInvalidFilename.Code);
  EXPECT_EQ(SaveCode(dir / "plain.dag/inside.dag", *set), kInvalidFilename.Code);
  EXPECT_EQ(Snapshot(dir.Path()), before);
}

TEST(LevelSetFileErrors, FoldersFifosAndDevicesFailWith5AtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "folder.dag").c_str(), 0755), 0);
  WriteRaw(dir / "folder.dag/inside", PatternBytes(10));
  ASSERT_EQ(::mkfifo((dir / "fifo.dag").c_str(), 0666), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::string socket_path = dir / "socket.dag";
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  std::copy(socket_path.begin(), socket_path.end(), address.sun_path);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const auto started = std::chrono::steady_clock::now();
  // In a child with an alarm, so that a reader that blocked would fail the test, not hang it.
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet(dir / "folder.dag"); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet(dir / "fifo.dag"); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet(socket_path); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet("/dev/zero"); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet("/dev/null"); }, false, 10), kFileAccessDenied.Code);
  auto set = FullSet();
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "folder.dag", *set); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "fifo.dag", *set); }, false, 10), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return SaveCode(socket_path, *set); }, false, 10), kFileAccessDenied.Code);
  ::close(listener);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

  struct stat st;
  ASSERT_EQ(::lstat((dir / "folder.dag").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(ReadAll(dir / "folder.dag/inside"), PatternBytes(10));
  ASSERT_EQ(::lstat((dir / "fifo.dag").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(::lstat(socket_path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(Snapshot(dir.Path()).size(), 3u) << "no temporary file left";
}

TEST(LevelSetFileErrors, TooManyOpenFilesFailsWith4) {
  TempDir dir;
  WriteRaw(dir / "levels.dag", PatternBytes(4 + 296));
  const int code = InChild([&] {
    // Raise one error while files can still be opened: UBSan's type check of an
    // EInOutError opens a pipe the first time it meets the type, and caches the answer.
    if (ReadCodeKeepingSet(dir / "missing.dag") != 2) return 248;
    const int lowest = ::open("/dev/null", O_RDONLY);
    ::close(lowest);
    const rlimit limit = {static_cast<rlim_t>(lowest), static_cast<rlim_t>(lowest)};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 251;
    return ReadCodeKeepingSet(dir / "levels.dag");
  });
  EXPECT_EQ(code, kTooManyOpenFiles.Code);
}

TEST(LevelSetFileErrors, AReadOnlyFileOpens) {
  TempDir dir;
  auto source = FullSet();
  WriteLevelSetFile(dir / "levels.dag", *source);
  ASSERT_EQ(::chmod((dir / "levels.dag").c_str(), 0444), 0);
  auto set = StampedSet();
  EXPECT_EQ(ReadLevelSetFile(dir / "levels.dag", *set), 256);
  EXPECT_TRUE(SameSet(*set, *source));
  // And for a user who may really not write it.
  const int code = InChild(
      [&] {
        auto target = StampedSet();
        const int read = ReadLevelSetFile(dir / "levels.dag", *target);
        if (::access((dir / "levels.dag").c_str(), W_OK) == 0) return 249;  // not a real test
        return read == 256 && SameSet(*target, *source) ? 0 : 250;
      },
      true);
  EXPECT_EQ(code, 0);
}

TEST(LevelSetFileSaving, DiskFullLeavesTheOldFileAndNoTemporaryFile) {
  TempDir dir;
  const Bytes old = PatternBytes(596);
  WriteRaw(dir / "levels.dag", old);
  const auto before = Snapshot(dir.Path());
  auto set = FullSet();
  for (bool block_signal : {false, true}) {
    const int code = InChild([&] {
      const rlimit limit = {1000, 1000};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 251;
      sigset_t xfsz;
      sigemptyset(&xfsz);
      sigaddset(&xfsz, SIGXFSZ);
      if (block_signal) ::sigprocmask(SIG_BLOCK, &xfsz, nullptr);
      const int result = SaveCode(dir / "levels.dag", *set);
      // A SIGXFSZ left pending would end the child here.
      if (block_signal) ::sigprocmask(SIG_UNBLOCK, &xfsz, nullptr);
      return result;
    });
    EXPECT_EQ(code, kDiskFull.Code) << "SIGXFSZ blocked: " << block_signal << " (1000 + n: killed by signal n)";
    EXPECT_EQ(ReadAll(dir / "levels.dag"), old);
    EXPECT_EQ(Snapshot(dir.Path()), before);
  }
  // A new file fails the same way and leaves nothing.
  const int code = InChild([&] {
    const rlimit limit = {1000, 1000};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 251;
    return SaveCode(dir / "new.dag", *set);
  });
  EXPECT_EQ(code, kDiskFull.Code);
  EXPECT_EQ(Snapshot(dir.Path()), before);
}

TEST(LevelSetFileSaving, AReadOnlyFileOrFolderRefusesTheSaveAndKeepsEverything) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "open").c_str(), 0777), 0);
  ASSERT_EQ(::chmod((dir / "open").c_str(), 0777), 0);
  ASSERT_EQ(::mkdir((dir / "closed").c_str(), 0755), 0);
  WriteRaw(dir / "open/readonly.dag", PatternBytes(596), 0444);
  WriteRaw(dir / "closed/readonly.dag", PatternBytes(900, 3), 0444);
  const auto open_before = Snapshot(dir / "open");
  const auto closed_before = Snapshot(dir / "closed");
  auto set = FullSet();

  // A read-only file in a folder that takes new files: rename would get round the file's
  // permissions, and must not. A file without write bits is read-only for root as well.
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "open/readonly.dag", *set); }, true), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "open/readonly.dag", *set); }, false), kFileAccessDenied.Code);
  // A folder that takes no new file: neither a new name nor a read-only file can be saved.
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "closed/new.dag", *set); }, true), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "closed/readonly.dag", *set); }, true), kFileAccessDenied.Code);
  // A folder that may not even be searched.
  ASSERT_EQ(::chmod((dir / "closed").c_str(), 0700), 0);
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "closed/readonly.dag", *set); }, true), kFileAccessDenied.Code);
  EXPECT_EQ(InChild([&] { return ReadCodeKeepingSet(dir / "closed/readonly.dag"); }, true), kFileAccessDenied.Code);
  ASSERT_EQ(::chmod((dir / "closed").c_str(), 0755), 0);

  EXPECT_EQ(Snapshot(dir / "open"), open_before);
  EXPECT_EQ(Snapshot(dir / "closed"), closed_before);
}

TEST(LevelSetFileSaving, AFolderTargetIsRefused) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "levels.dag").c_str(), 0755), 0);
  WriteRaw(dir / "levels.dag/keep", PatternBytes(20));
  auto set = FullSet();
  EXPECT_EQ(SaveCode(dir / "levels.dag", *set), kFileAccessDenied.Code);
  EXPECT_EQ(SaveCode(dir / "levels.dag/", *set), kFileAccessDenied.Code);
  struct stat st;
  ASSERT_EQ(::lstat((dir / "levels.dag").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(Snapshot(dir / "levels.dag").size(), 1u);
  EXPECT_EQ(Snapshot(dir.Path()).size(), 1u);
}

TEST(LevelSetFileSaving, ASymlinkIsFollowedAndKept) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "real").c_str(), 0755), 0);
  WriteRaw(dir / "real/levels.dag", PatternBytes(5000), 0640);
  ASSERT_EQ(::symlink("real/levels.dag", (dir / "link.dag").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "link.dag").c_str(), (dir / "link2.dag").c_str()), 0);
  auto set = FullSet();
  WriteLevelSetFile(dir / "link2.dag", *set);
  WriteLevelSetFile(dir / "fresh.dag", *set);
  const Bytes expected = ReadAll(dir / "fresh.dag");
  ASSERT_EQ(expected.size(), 75780u);
  EXPECT_EQ(ReadAll(dir / "real/levels.dag"), expected);

  struct stat st;
  ASSERT_EQ(::lstat((dir / "link.dag").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::lstat((dir / "real/levels.dag").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  const auto listing = Snapshot(dir.Path());
  EXPECT_EQ(listing.at("link.dag"), "-> real/levels.dag");
  EXPECT_EQ(listing.at("link2.dag"), "-> " + (dir / "link.dag"));
  EXPECT_EQ(listing.size(), 4u);
  EXPECT_EQ(Snapshot(dir / "real").size(), 1u);

  // A link to a file that does not exist yet: the file is made where the link points.
  ASSERT_EQ(::symlink("real/new.dag", (dir / "dangling.dag").c_str()), 0);
  WriteLevelSetFile(dir / "dangling.dag", *set);
  EXPECT_EQ(ReadAll(dir / "real/new.dag"), expected);
  ASSERT_EQ(::lstat((dir / "dangling.dag").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(LevelSetFileSaving, PermissionBitsAreKeptAndNewFilesFollowTheUmask) {
  TempDir dir;
  auto set = FullSet();
  for (mode_t mode : {0640u, 0604u, 0600u, 0755u, 0666u}) {
    WriteRaw(dir / "levels.dag", PatternBytes(100), mode);
    WriteLevelSetFile(dir / "levels.dag", *set);
    struct stat st;
    ASSERT_EQ(::stat((dir / "levels.dag").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    EXPECT_EQ(st.st_size, 75780);
  }
  for (mode_t mask : {022u, 077u, 002u}) {
    const mode_t old_mask = ::umask(mask);
    const std::string name = dir / ("new" + std::to_string(mask) + ".dag");
    WriteLevelSetFile(name, *set);
    ::umask(old_mask);
    struct stat st;
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
  }
  EXPECT_EQ(Snapshot(dir.Path()).size(), 4u);
}

TEST(LevelSetFileSaving, AWritableFileInAFolderThatTakesNoNewFileIsRewrittenInPlace) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "closed").c_str(), 0755), 0);
  auto set = FullSet();
  WriteLevelSetFile(dir / "expected.dag", *set);
  const Bytes expected = ReadAll(dir / "expected.dag");
  auto small = StampedSet();
  (*small)[3].Time = 10;
  (*small)[3].Rubies = -1000;
  WriteLevelSetFile(dir / "small.dag", *small);
  const Bytes expected_small = ReadAll(dir / "small.dag");
  ASSERT_EQ(expected_small.size(), 300u);

  // Longer, shorter and as long as the new content.
  for (std::size_t old_size : {100000u, 4u, 75780u}) {
    WriteRaw(dir / "closed/levels.dag", PatternBytes(old_size), 0666);
    struct stat before;
    ASSERT_EQ(::stat((dir / "closed/levels.dag").c_str(), &before), 0);
    EXPECT_EQ(InChild([&] { return SaveCode(dir / "closed/levels.dag", *set); }, true), 0) << old_size;
    EXPECT_EQ(ReadAll(dir / "closed/levels.dag"), expected) << old_size;
    struct stat after;
    ASSERT_EQ(::stat((dir / "closed/levels.dag").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "rewritten in place";
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(Snapshot(dir / "closed").size(), 1u);
  }
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "closed/levels.dag", *small); }, true), 0);
  EXPECT_EQ(ReadAll(dir / "closed/levels.dag"), expected_small);

  // Disk full on the way: the old content stays.
  const Bytes old = PatternBytes(596, 5);
  WriteRaw(dir / "closed/levels.dag", old, 0666);
  const int code = InChild(
      [&] {
        const rlimit limit = {1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 251;
        return SaveCode(dir / "closed/levels.dag", *set);
      },
      true);
  EXPECT_EQ(code, kDiskFull.Code);
  EXPECT_EQ(ReadAll(dir / "closed/levels.dag"), old);
  EXPECT_EQ(Snapshot(dir / "closed").size(), 1u);
}

TEST(LevelSetFileSaving, AFolderWithNoFreeInodeGetsTheFileRewrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small file system";
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "full").c_str(), 0755), 0);
  auto set = FullSet();
  WriteLevelSetFile(dir / "expected.dag", *set);
  const Bytes expected = ReadAll(dir / "expected.dag");
  const Bytes old = PatternBytes(596, 4);
  // In a child with a mount namespace of its own: a file system with room for the folder
  // and one file, so that no temporary file can be made beside the level file.
  const int code = InChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 240;
    if (::mount("tmpfs", (dir / "full").c_str(), "tmpfs", 0, "size=1m,nr_inodes=2,mode=0755") != 0) return 241;
    WriteRaw(dir / "full/levels.dag", old);
    if (ReadAll(dir / "full/levels.dag") != old) return 242;
    if (::open((dir / "full/another").c_str(), O_CREAT | O_WRONLY, 0644) >= 0 || errno != ENOSPC) return 243;
    const int saved = SaveCode(dir / "full/levels.dag", *set);
    if (saved != 0) return saved;
    if (ReadAll(dir / "full/levels.dag") != expected) return 244;
    // Disk full on the way in place (a write past RLIMIT_FSIZE): the old bytes come back.
    WriteRaw(dir / "full/levels.dag", old);
    const rlimit limit = {1000, 1000};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 245;
    const int full = SaveCode(dir / "full/levels.dag", *set);
    return full == kDiskFull.Code && ReadAll(dir / "full/levels.dag") == old ? 0 : 246;
  });
  EXPECT_EQ(code, 0) << "240+: the child's step that failed; other: the save's code";
}

TEST(LevelSetFileSaving, AFileOfAnotherOwnerKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file to another user than the saver";
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "shared").c_str(), 0777), 0);
  ASSERT_EQ(::chmod((dir / "shared").c_str(), 0777), 0);
  WriteRaw(dir / "shared/levels.dag", PatternBytes(3000), 0666);
  auto set = FullSet();
  WriteLevelSetFile(dir / "expected.dag", *set);
  EXPECT_EQ(InChild([&] { return SaveCode(dir / "shared/levels.dag", *set); }, true), 0);
  EXPECT_EQ(ReadAll(dir / "shared/levels.dag"), ReadAll(dir / "expected.dag"));
  struct stat st;
  ASSERT_EQ(::stat((dir / "shared/levels.dag").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_gid, 0u);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
  EXPECT_EQ(Snapshot(dir / "shared").size(), 1u);
}

TEST(LevelSetFileSaving, ASuccessfulSaveReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  WriteRaw(dir / "levels.dag", PatternBytes(200000));
  auto set = FullSet();
  const auto in_memory = *set;
  WriteLevelSetFile(dir / "levels.dag", *set);
  EXPECT_TRUE(SameSet(*set, in_memory));
  auto back = StampedSet();
  EXPECT_EQ(ReadLevelSetFile(dir / "levels.dag", *back), 256);
  EXPECT_TRUE(SameSet(*back, *set));
  EXPECT_EQ(Snapshot(dir.Path()).size(), 1u);
  // A very long (but valid) name still gets a temporary file beside it.
  const std::string long_name = dir / (std::string(250, 'L') + ".dag");
  WriteLevelSetFile(long_name, *set);
  EXPECT_EQ(ReadAll(long_name).size(), 75780u);
  EXPECT_EQ(Snapshot(dir.Path()).size(), 2u);
}

TEST(LevelSetFileSaving, BothNamesOfAHardLinkedFileHoldTheSavedSet) {
  TempDir dir;
  const LinkedFile file(dir);
  auto set = FullSet();
  const Bytes expected = SavedBytes(*set);
  // Longer, shorter and as long as the new content.
  for (std::size_t old_size : {100000u, 4u, 75780u}) {
    file.Make(PatternBytes(old_size), 0640);
    WriteLevelSetFile(file.first, *set);
    EXPECT_EQ(ReadAll(file.first), expected) << old_size;
    EXPECT_EQ(ReadAll(file.second), expected) << old_size;
    EXPECT_TRUE(file.StillLinked()) << old_size;
    struct stat st;
    ASSERT_EQ(::stat(file.first.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  }
  // Through the other name, and shorter: both names shrink together.
  auto small = StampedSet();
  (*small)[3].Time = 10;
  (*small)[3].Rubies = -1000;
  WriteLevelSetFile(file.second, *small);
  EXPECT_EQ(ReadAll(file.first), SavedBytes(*small));
  EXPECT_EQ(ReadAll(file.second), SavedBytes(*small));
  EXPECT_TRUE(file.StillLinked());
  EXPECT_EQ(Snapshot(dir.Path()).size(), 2u) << "no temporary file";
  EXPECT_EQ(Snapshot(dir / "games").size(), 1u) << "no temporary file";

  // A file with one name left is replaced by a new one again.
  ASSERT_EQ(::unlink(file.second.c_str()), 0);
  struct stat before, after;
  ASSERT_EQ(::stat(file.first.c_str(), &before), 0);
  WriteLevelSetFile(file.first, *set);
  ASSERT_EQ(::stat(file.first.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadAll(file.first), expected);
}

TEST(LevelSetFileSaving, AFailedSaveLeavesBothNamesOfAHardLinkedFileWithTheOldBytes) {
  TempDir dir;
  const LinkedFile file(dir);
  auto set = FullSet();
  struct Case {
    const char* what;
    std::size_t old_size;
    std::function<bool()> fault;  // set in the child before it saves
    InOutCode expected;
  };
  const InOutCode io_error{EIO, "I/O error 5"};
  const Case cases[] = {
      {"the set is longer than RLIMIT_FSIZE", 596,
       [] {
         const rlimit limit = {1000, 1000};
         return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
       },
       kDiskFull},
      // After the new bytes are written over the old ones.
      {"fsync fails, the old file shorter", 596, [] { return FailSystemCall(SYS_fsync, EIO); }, io_error},
      {"fsync fails, the old file longer", 100000, [] { return FailSystemCall(SYS_fsync, EIO); }, io_error},
      {"the old tail cannot be cut off", 100000, [] { return FailSystemCall(SYS_ftruncate, EIO); }, io_error},
  };
  for (const Case& c : cases) {
    const Bytes old = PatternBytes(c.old_size, 6);
    file.Make(old);
    const int status = InChild([&] {
      if (!c.fault()) return 251;
      try {
        WriteLevelSetFile(file.first, *set);
      } catch (const EInOutError& e) {
        return e.ErrorCode == c.expected.Code && std::string(e.what()) == c.expected.Message ? 0 : 250;
      }
      return 249;
    });
    EXPECT_EQ(status, 0) << c.what << " (249: saved, 250: another error, 251: no fault)";
    EXPECT_EQ(ReadAll(file.first), old) << c.what;
    EXPECT_EQ(ReadAll(file.second), old) << c.what;
    EXPECT_TRUE(file.StillLinked()) << c.what;
    EXPECT_EQ(Snapshot(dir.Path()).size(), 2u) << c.what;
    EXPECT_EQ(Snapshot(dir / "games").size(), 1u) << c.what;
  }
}
