// The door to the system on POSIX (files/SystemFiles.h): Linux's calls, error numbers
// turned into the codes of InOutError.h.
//
// ReplaceFileContent in detail: the new file is flushed with fsync and renamed over the
// target; it gets the old file's permission bits (and owner and group, where they can be
// set), a new file 0666 less the umask. A target without any write bit is read-only for
// root too. "The folder takes no new file" covers no permission, no free inode, no quota
// left and a read-only mount; "could not keep" covers a file mounted on its own (as a
// sandbox shows a single file) and an owner the replacement cannot have. An in-place
// rewrite reserves room beforehand, flushes the new bytes before the old tail is cut off,
// and keeps the old bytes aside when the file may be read and is at most 4 MiB long.
// SIGXFSZ cannot end the program during a save: a write past RLIMIT_FSIZE fails as
// kDiskFull.

#include "files/SystemFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "files/BoundedRead.h"

namespace quarvel {

namespace {

constexpr int kMaxSymlinkHops = 40;              // as the kernel's own limit (ELOOP)
constexpr std::size_t kMaxTempBaseLength = 200;  // keeps the temporary name under NAME_MAX
constexpr char kTempInfix[] = ".saving-";        // NAME.saving-XXXXXXXXXXXX beside NAME
constexpr int kMaxTempAttempts = 100;
// How much of an old file an in-place rewrite keeps aside to put back on failure.
constexpr std::size_t kMaxInPlaceBackup = std::size_t{4} << 20;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return ::stat(FolderOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A file descriptor that is closed when it goes out of scope.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  ~Fd() { Reset(); }

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }

  // Closes now and returns 0 or the error number. EINTR counts as closed: on Linux the
  // descriptor is gone either way, and retrying could close someone else's.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    if (fd < 0 || ::close(fd) == 0) return 0;
    return (errno == EINTR || errno == EINPROGRESS) ? 0 : errno;
  }

 private:
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_ = -1;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(path, flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Writes all of `size` bytes at the current position (offset < 0) or at `offset`.
// Returns 0 or an error number; a write that stores nothing counts as a full disk.
int WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset = -1) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = offset < 0 ? ::write(fd, data + done, size - done)
                                 : ::pwrite(fd, data + done, size - done, offset + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Reads `fd` to its end, or to `limit` bytes and one more (ReadBounded).
BoundedBytes ReadUpTo(int fd, std::size_t limit, const std::string& path, std::size_t expected = 0) {
  return ReadBounded(limit, expected, [&](std::uint8_t* data, std::size_t room) {
    for (;;) {
      const ssize_t n = ::read(fd, data, room);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw ErrorFromSystem(errno, path);
    }
  });
}

// fsync, where the file system has no such thing (EINVAL) counting as done.
int Sync(int fd) {
  if (::fsync(fd) == 0 || errno == EINVAL) return 0;
  return errno;
}

bool FileSizeLimited(rlimit& limit) {
  return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
}

// While it lives, SIGXFSZ is ignored and unblocked in this thread, so that a write past
// RLIMIT_FSIZE fails with EFBIG instead of ending the process. Costs one getrlimit when
// there is no limit.
class IgnoreFileSizeSignal {
 public:
  IgnoreFileSizeSignal() {
    rlimit limit;
    if (!FileSizeLimited(limit)) return;
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (::sigaction(SIGXFSZ, &ignore, &old_action_) != 0) return;
    // A blocked signal is never discarded, even when ignored: unblock it for the duration.
    sigset_t xfsz;
    sigemptyset(&xfsz);
    sigaddset(&xfsz, SIGXFSZ);
    mask_changed_ = ::pthread_sigmask(SIG_UNBLOCK, &xfsz, &old_mask_) == 0;
    active_ = true;
  }
  IgnoreFileSizeSignal(const IgnoreFileSizeSignal&) = delete;
  IgnoreFileSizeSignal& operator=(const IgnoreFileSizeSignal&) = delete;
  ~IgnoreFileSizeSignal() {
    if (!active_) return;
    if (mask_changed_) ::pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
    ::sigaction(SIGXFSZ, &old_action_, nullptr);
  }

 private:
  bool active_ = false;
  bool mask_changed_ = false;
  struct sigaction old_action_ = {};
  sigset_t old_mask_;
};

// The file a save goes to: the name given, with symlinks followed to the file they name.
struct Target {
  std::string path;
  bool exists = false;
  struct stat st = {};  // of `path`, when it exists
};

Target ResolveTarget(const std::string& name) {
  Target target{name};
  for (int hop = 0;; ++hop) {
    if (::lstat(target.path.c_str(), &target.st) != 0) {
      if (errno == ENOENT) return target;  // a new file; a missing folder shows when creating it
      throw ErrorFromSystem(errno, target.path);
    }
    if (!S_ISLNK(target.st.st_mode)) {
      target.exists = true;
      return target;
    }
    if (hop == kMaxSymlinkHops) throw ErrorFromSystem(ELOOP, target.path);
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(target.path.c_str(), link.data(), link.size());
    if (n < 0) throw ErrorFromSystem(errno, target.path);
    if (static_cast<std::size_t>(n) >= link.size()) throw ErrorFromSystem(ENAMETOOLONG, target.path);
    link.resize(static_cast<std::size_t>(n));
    if (link.empty() || link.front() == '/') {
      target.path = link;
    } else {
      const auto slash = target.path.find_last_of('/');
      target.path = slash == std::string::npos ? link : target.path.substr(0, slash + 1) + link;
    }
  }
}

std::uint64_t TempSuffix() {
  static std::atomic<std::uint64_t> counter{0};
  timespec now = {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::uint64_t x = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                    (static_cast<std::uint64_t>(::getpid()) << 12) ^
                    (counter.fetch_add(1, std::memory_order_relaxed) * 0x9E3779B97F4A7C15ull);
  // splitmix64 finaliser
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// A new file beside the target, removed again unless Keep() is called.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { Remove(); }

  // Returns 0 or the error number of the failed creation.
  int Create(const std::string& target, mode_t mode) {
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1, kMaxTempBaseLength);
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
      // Visible and named after the file being saved ("pack.dag.saving-3f09a1c27b44"), so
      // that one left by a save cut short (a kill, a power cut) is plain to see and to remove.
      char suffix[32];
      std::snprintf(suffix, sizeof suffix, "%s%012llx", kTempInfix,
                    static_cast<unsigned long long>(TempSuffix() & 0xFFFFFFFFFFFFull));
      std::string path = folder + base + suffix;
      const int fd = OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
      if (fd >= 0) {
        fd_ = Fd(fd);
        path_ = std::move(path);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  int Get() const { return fd_.Get(); }
  const std::string& Path() const { return path_; }
  int Close() { return fd_.Close(); }
  void Keep() { path_.clear(); }  // renamed into place: nothing to remove
  void Remove() {
    fd_.Close();
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
  }

 private:
  Fd fd_;
  std::string path_;
};

// Rewrites an existing regular file through `fd`, for when no new file may take its place.
// Room is reserved first where the file system can, and the old bytes are kept aside (when
// `fd` may be read) and written back if the rewrite fails. The old tail is cut off only
// once the new bytes are on the disk, so that until then the old file can come back whole.
void RewriteInPlace(Fd& fd, bool readable, const struct stat& st, const std::string& path,
                    std::span<const std::uint8_t> bytes) {
  const std::size_t old_size = static_cast<std::size_t>(st.st_size);
  const std::size_t size = bytes.size();
  rlimit limit;
  if (FileSizeLimited(limit) && size > limit.rlim_cur) throw EInOutError(kDiskFull);
#if defined(FALLOC_FL_KEEP_SIZE) && !defined(__EMSCRIPTEN__)  // emscripten declares it, has none
  if (size > old_size) {
    int r;
    do r = ::fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
    while (r != 0 && errno == EINTR);
    if (r != 0 && errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) throw ErrorFromSystem(errno, path);
  }
#endif
  std::unique_ptr<std::uint8_t[]> backup;
  std::size_t backup_size = 0;
  if (readable) {
    const std::size_t wanted = std::min(old_size, kMaxInPlaceBackup);
    backup.reset(new std::uint8_t[wanted]);  // uninitialised, as make_unique_for_overwrite (not in emscripten's libc++)
    while (backup_size < wanted) {
      const ssize_t n =
          ::pread(fd.Get(), backup.get() + backup_size, wanted - backup_size, static_cast<off_t>(backup_size));
      if (n < 0) {
        if (errno == EINTR) continue;
        throw ErrorFromSystem(errno, path);
      }
      if (n == 0) break;
      backup_size += static_cast<std::size_t>(n);
    }
  }
  auto fail = [&](int err) {
    if (backup) {
      WriteAll(fd.Get(), backup.get(), backup_size, 0);
      // Best effort: the old bytes are back; should the length stay, the tail is all that differs.
      if (::ftruncate(fd.Get(), static_cast<off_t>(old_size)) != 0) {
      }
      Sync(fd.Get());
    }
    throw ErrorFromSystem(err, path);
  };
  if (int err = WriteAll(fd.Get(), bytes.data(), size, 0)) fail(err);
  if (int err = Sync(fd.Get())) fail(err);
  if (size < old_size) {
    if (::ftruncate(fd.Get(), static_cast<off_t>(size)) != 0) fail(errno);
    if (int err = Sync(fd.Get())) fail(err);
  }
  if (int err = fd.Close()) throw ErrorFromSystem(err, path);
}

}  // namespace

// ENOENT with the folder present -> kFileNotFound; ENOENT with a folder of the path missing
// (or an empty name), ENOTDIR, ENAMETOOLONG -> kInvalidFilename; EMFILE, ENFILE ->
// kTooManyOpenFiles; EACCES, EPERM, EROFS, EISDIR -> kFileAccessDenied; ENOSPC, EDQUOT,
// EFBIG -> kDiskFull; any other -> its own number, "I/O error N".
EInOutError ErrorFromSystem(int err, const std::string& path) {
  switch (err) {
    case ENOENT:
      return EInOutError(!path.empty() && FolderExists(path) ? kFileNotFound : kInvalidFilename);
    case ENOTDIR:
    case ENAMETOOLONG:
      return EInOutError(kInvalidFilename);
    case EMFILE:
    case ENFILE:
      return EInOutError(kTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return EInOutError(kFileAccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return EInOutError(kDiskFull);
    default:
      return EInOutError::FromPlatform(err);
  }
}

std::size_t ReadRegularFileStart(const std::string& path, std::span<std::uint8_t> buffer) {
  // Non-blocking, so that opening a FIFO with no writer returns at once; for a regular
  // file the flag changes nothing.
  Fd fd(OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.Valid()) {
    const int err = errno;
    // A socket cannot be opened at all (ENXIO); like a FIFO or a device it is no level file.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) throw EInOutError(kFileAccessDenied);
    throw ErrorFromSystem(err, path);
  }
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) throw ErrorFromSystem(errno, path);
  if (!S_ISREG(st.st_mode)) throw EInOutError(kFileAccessDenied);
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::read(fd.Get(), buffer.data() + done, buffer.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErrorFromSystem(errno, path);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (int err = fd.Close()) throw ErrorFromSystem(err, path);
  return done;
}

BoundedBytes ReadFileUpTo(const std::string& path, std::size_t limit) {
  // A FIFO is opened to wait for its writer; anything else without blocking, so that a FIFO
  // that appears under the name meanwhile cannot hang the open.
  struct stat st;
  const bool fifo = ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
  Fd fd(OpenRetrying(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | (fifo ? 0 : O_NONBLOCK)));
  if (!fd.Valid()) {
    const int err = errno;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode))
      throw EInOutError(kFileAccessDenied);
    throw ErrorFromSystem(err, path);
  }
  if (::fstat(fd.Get(), &st) != 0) throw ErrorFromSystem(errno, path);
  if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode)) throw EInOutError(kFileAccessDenied);
  if (::fcntl(fd.Get(), F_SETFL, 0) != 0) throw ErrorFromSystem(errno, path);
  BoundedBytes in =
      ReadUpTo(fd.Get(), limit, path, S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : std::size_t{0});
  if (int err = fd.Close()) throw ErrorFromSystem(err, path);
  return in;
}

void ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) throw EInOutError(kInvalidFilename);
  const Target target = ResolveTarget(path);

  // An existing target must be a regular file that this process may write: renaming over
  // it would otherwise get round its permissions (and would replace a device or FIFO).
  Fd existing;
  bool readable = false;
  struct stat st = {};
  if (target.exists) {
    if (!S_ISREG(target.st.st_mode)) throw EInOutError(kFileAccessDenied);
    const int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    existing = Fd(OpenRetrying(target.path.c_str(), O_RDWR | flags));
    readable = existing.Valid();
    if (!existing.Valid() && errno == EACCES) existing = Fd(OpenRetrying(target.path.c_str(), O_WRONLY | flags));
    if (!existing.Valid()) throw ErrorFromSystem(errno, target.path);
    if (::fstat(existing.Get(), &st) != 0) throw ErrorFromSystem(errno, target.path);
    if (!S_ISREG(st.st_mode)) throw EInOutError(kFileAccessDenied);
    // A file without any write bit is read-only for every user, root included.
    if ((st.st_mode & 0222) == 0) throw EInOutError(kFileAccessDenied);
  }

  const IgnoreFileSizeSignal ignore_sigxfsz;
  // A new file renamed over one of the names of a file with several hard links would leave
  // the other names holding the old content: such a file is rewritten itself.
  if (target.exists && st.st_nlink > 1) return RewriteInPlace(existing, readable, st, target.path, bytes);
  TempFile temp;
  // A replacement is made with the old file's permission bits (set again below if the
  // umask took some away); a new file gets 0666 less the umask (and any default ACL of the
  // folder) from the kernel.
  if (int err = temp.Create(target.path, target.exists ? (st.st_mode & 0777) : 0666)) {
    // The folder takes no new file (no permission, no free inode, quota, a read-only mount
    // under a file mounted on its own, as sandboxes do), but the file itself may still be
    // written.
    const bool folderRefuses = err == EACCES || err == EPERM || err == ENOSPC || err == EDQUOT || err == EROFS;
    if (target.exists && folderRefuses) return RewriteInPlace(existing, readable, st, target.path, bytes);
    throw ErrorFromSystem(err, target.path);
  }
  if (target.exists) {
    struct stat own;
    if (::fstat(temp.Get(), &own) != 0) throw ErrorFromSystem(errno, target.path);
    if ((own.st_uid != st.st_uid || own.st_gid != st.st_gid) && ::fchown(temp.Get(), st.st_uid, st.st_gid) != 0) {
      // The replacement would change the file's owner or group: rewrite the file itself.
      temp.Remove();
      return RewriteInPlace(existing, readable, st, target.path, bytes);
    }
    if ((own.st_mode & 07777) != (st.st_mode & 07777) && ::fchmod(temp.Get(), st.st_mode & 07777) != 0)
      throw ErrorFromSystem(errno, target.path);
  }
  if (int err = WriteAll(temp.Get(), bytes.data(), bytes.size())) throw ErrorFromSystem(err, target.path);
  if (int err = Sync(temp.Get())) throw ErrorFromSystem(err, target.path);
  if (int err = temp.Close()) throw ErrorFromSystem(err, target.path);
  if (::rename(temp.Path().c_str(), target.path.c_str()) != 0) {
    const int err = errno;
    temp.Remove();
    // A sticky folder lets only a file's owner replace it, and a file mounted on its own
    // cannot be renamed over; the file itself may still be written.
    if (target.exists && (err == EACCES || err == EPERM || err == EBUSY || err == EXDEV))
      return RewriteInPlace(existing, readable, st, target.path, bytes);
    throw ErrorFromSystem(err, target.path);
  }
  temp.Keep();
}

}  // namespace quarvel

namespace quarvel {

namespace {

FileKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::Regular;
  if (S_ISDIR(mode)) return FileKind::Folder;
  if (S_ISFIFO(mode)) return FileKind::Fifo;
  if (S_ISCHR(mode)) return FileKind::Device;
  if (S_ISBLK(mode)) return FileKind::BlockDevice;
  if (S_ISSOCK(mode)) return FileKind::Socket;
  return FileKind::Other;
}

constexpr char kStandardStreamName[] = "-";

}  // namespace

FileKind KindOfFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? KindOfMode(st.st_mode) : FileKind::Missing;
}

FileKind KindOfStandardInput() {
  struct stat st;
  return ::fstat(STDIN_FILENO, &st) == 0 ? KindOfMode(st.st_mode) : FileKind::Missing;
}

bool NameExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::optional<std::uint64_t> FileLength(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::string FolderOfName(const std::string& path) { return FolderOf(path); }

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void PrepareStandardStreams() {
  // Bytes pass unchanged on POSIX: there is no text mode. A closed standard descriptor is
  // taken by /dev/null opened the wrong way round (read-only for 1 and 2, write-only for 0),
  // so that the program's own files never land on it and any use of it fails (EBADF) as the
  // closed one did.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int taken = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (taken != fd && taken >= 0) ::close(taken);
  }
  // A closed pipe comes back from write as EPIPE instead of ending the program.
  std::signal(SIGPIPE, SIG_IGN);
}

BoundedBytes ReadStandardInput(std::size_t limit) {
  struct stat st;
  if (::fstat(STDIN_FILENO, &st) == 0 && S_ISDIR(st.st_mode)) throw EInOutError(kFileAccessDenied);
  return ReadUpTo(STDIN_FILENO, limit, kStandardStreamName);
}

void WriteStandardOutput(std::span<const std::uint8_t> bytes) {
  if (const int err = WriteAll(STDOUT_FILENO, bytes.data(), bytes.size()))
    throw StandardOutputError{ErrorFromSystem(err, kStandardStreamName), err == EPIPE, std::strerror(err)};
}

bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void WriteStandardError(std::span<const std::uint8_t> bytes) { WriteAll(STDERR_FILENO, bytes.data(), bytes.size()); }

void EndForBrokenPipe() {
  std::signal(SIGPIPE, SIG_DFL);
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  ::pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
  std::raise(SIGPIPE);
  std::_Exit(128 + SIGPIPE);  // not reached
}

}  // namespace quarvel
