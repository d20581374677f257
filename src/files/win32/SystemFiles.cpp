// The door to the system on Windows (files/SystemFiles.h): the Unicode calls of kernel32,
// with names turned from UTF-8 into UTF-16 here and nowhere else. I/O result codes are the
// system's own error numbers (GetLastError), as the editor's file layer has always shown
// them; those that mean one of the codes of InOutError.h become that code.

#include <windows.h>
// After windows.h:
#include <aclapi.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "files/BoundedRead.h"
#include "files/SystemFiles.h"

namespace quarvel {

namespace {

constexpr wchar_t kTempInfix[] = L".saving-";  // NAME.saving-XXXXXXXXXXXX beside NAME
constexpr int kMaxTempAttempts = 100;
// How much of an old file an in-place rewrite keeps aside to put back on failure.
constexpr std::size_t kMaxInPlaceBackup = std::size_t{4} << 20;
// ReadFile and WriteFile move at most a DWORD of bytes at a time.
constexpr std::size_t kMaxChunk = 1u << 30;
// The exit status of a console program ended by Ctrl+C (STATUS_CONTROL_C_EXIT).
constexpr UINT kControlCExit = 0xC000013A;

// What a replacement keeps of the old file's attributes (read-only files are not replaced).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A name as the system takes it. Invalid UTF-8 gives an empty name, which no call accepts.
std::wstring Wide(const std::string& utf8) {
  if (utf8.empty() || utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
  // A name holding a NUL would be cut short by the system: refuse it whole instead.
  if (wide.find(L'\0') != std::wstring::npos) return {};
  return wide;
}

// A wide name, or kInvalidFilename when the UTF-8 name has none.
std::wstring SystemName(const std::string& utf8) {
  std::wstring wide = Wide(utf8);
  if (wide.empty()) throw EInOutError(kInvalidFilename);
  return wide;
}

// A handle that is closed when it goes out of scope.
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : h_(other.h_) { other.h_ = INVALID_HANDLE_VALUE; }
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = other.h_;
      other.h_ = INVALID_HANDLE_VALUE;
    }
    return *this;
  }
  ~Handle() { Close(); }

  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  // Closes now; returns 0 or the error number.
  DWORD Close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE || h == nullptr || ::CloseHandle(h)) return 0;
    return ::GetLastError();
  }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

Handle Open(const std::wstring& name, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return Handle(::CreateFileW(name.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

// Opens whatever the name stands for, folders too, only to look at it.
Handle OpenToLookAt(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (wide.empty()) return Handle();
  return Open(wide, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
}

// Writes all of `size` bytes at the handle's position. Returns 0 or an error number; a
// write that stores nothing counts as a full disk.
DWORD WriteAll(HANDLE h, const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min(size - done, kMaxChunk));
    DWORD written = 0;
    if (!::WriteFile(h, data + done, chunk, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  return 0;
}

// Reads up to `size` bytes at the handle's position; returns how many, fewer at the end.
// A pipe whose writer closed ends the data, as the end of a file does.
std::size_t ReadAll(HANDLE h, std::uint8_t* data, std::size_t size, const std::string& path) {
  std::size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min(size - done, kMaxChunk));
    DWORD got = 0;
    if (!::ReadFile(h, data + done, chunk, &got, nullptr)) {
      const DWORD err = ::GetLastError();
      if (err == ERROR_BROKEN_PIPE || err == ERROR_HANDLE_EOF) break;
      throw ErrorFromSystem(static_cast<int>(err), path);
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

// Reads `h` to its end, or to `limit` bytes and one more (ReadBounded).
BoundedBytes ReadUpTo(HANDLE h, std::size_t limit, const std::string& path, std::size_t expected = 0) {
  return ReadBounded(limit, expected,
                     [&](std::uint8_t* data, std::size_t room) { return ReadAll(h, data, room, path); });
}

DWORD Seek(HANDLE h, std::uint64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  return ::SetFilePointerEx(h, to, nullptr, FILE_BEGIN) ? 0 : ::GetLastError();
}

// Makes the file `size` bytes long (the handle's position is moved there).
DWORD SetLength(HANDLE h, std::uint64_t size) {
  if (DWORD err = Seek(h, size)) return err;
  return ::SetEndOfFile(h) ? 0 : ::GetLastError();
}

DWORD Flush(HANDLE h) { return ::FlushFileBuffers(h) ? 0 : ::GetLastError(); }

// Ctrl+C and Ctrl+Break wait while a save runs, so that it ends with the old file or the
// new one (and no stray file), then end the program as they would have.
std::atomic<int> savesRunning{0};
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && savesRunning.load() > 0) {
    interrupted.store(true);
    return TRUE;
  }
  return FALSE;  // the next handler, in the end the system's: the program ends
}

class SaveRunning {
 public:
  SaveRunning() {
    static const bool installed = ::SetConsoleCtrlHandler(OnConsoleControl, TRUE) != 0;
    (void)installed;
    ++savesRunning;
  }
  SaveRunning(const SaveRunning&) = delete;
  SaveRunning& operator=(const SaveRunning&) = delete;
  ~SaveRunning() {
    if (--savesRunning == 0 && interrupted.load()) ::ExitProcess(kControlCExit);
  }
};

std::uint64_t TempSuffix() {
  static std::atomic<std::uint64_t> counter{0};
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  std::uint64_t x = static_cast<std::uint64_t>(now.QuadPart) ^ (std::uint64_t{::GetCurrentProcessId()} << 32) ^
                    (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
  x = (x ^ (x >> 33)) * 0xFF51AFD7ED558CCDull;  // MurmurHash3's finaliser
  x = (x ^ (x >> 33)) * 0xC4CEB9FE1A85EC53ull;
  return x ^ (x >> 33);
}

// A new file beside the target, opened for writing and shared with no one, deleted again
// unless Keep() is called.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { Remove(); }

  // Returns 0 or the error number of the failed creation.
  DWORD Create(const std::wstring& target) {
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
      // Visible and named after the file being saved ("pack.dag.saving-3f09a1c27b44"), so
      // that one left by a save cut short (a power cut) is plain to see and to remove.
      wchar_t suffix[32];
      std::swprintf(suffix, 32, L"%ls%012llx", kTempInfix,
                    static_cast<unsigned long long>(TempSuffix() & 0xFFFFFFFFFFFFull));
      std::wstring name = target + suffix;
      Handle h = Open(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
      if (h.Valid()) {
        handle_ = std::move(h);
        name_ = std::move(name);
        return 0;
      }
      const DWORD err = ::GetLastError();
      if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) return err;
    }
    return ERROR_FILE_EXISTS;
  }

  HANDLE Get() const { return handle_.Get(); }
  const std::wstring& Name() const { return name_; }
  DWORD Close() { return handle_.Close(); }
  void Keep() { name_.clear(); }  // moved into place, or the only copy of the new bytes
  void Remove() {
    handle_.Close();
    if (!name_.empty()) ::DeleteFileW(name_.c_str());
    name_.clear();
  }

 private:
  Handle handle_;
  std::wstring name_;
};

// The file a save goes to: the name given, or, when it is a symbolic link (a reparse
// point), the file that the link names, so that the link stays a link.
std::wstring ResolveTarget(const std::wstring& name, HANDLE existing) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return name;
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFinalPathNameByHandleW(existing, final.data(), static_cast<DWORD>(final.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return name;
    if (n < final.size()) {
      final.resize(n);
      return final;
    }
    final.resize(n);
  }
}

// Rewrites an existing file through `h`, for when no new file may take its place. Room is
// made first by setting the new length (a full disk fails there, before any old byte
// changes), the old bytes are kept aside (when `h` may read) and written back if the
// rewrite fails, and the old tail is cut off only once the new bytes are on the disk.
void RewriteInPlace(Handle& h, bool readable, std::uint64_t oldSize, const std::string& path,
                    std::span<const std::uint8_t> bytes) {
  const std::size_t size = bytes.size();
  if (size > oldSize) {
    if (DWORD err = SetLength(h.Get(), size)) {
      SetLength(h.Get(), oldSize);
      throw ErrorFromSystem(static_cast<int>(err), path);
    }
  }
  std::unique_ptr<std::uint8_t[]> backup;
  std::size_t backupSize = 0;
  if (readable) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(oldSize, kMaxInPlaceBackup));
    backup = std::make_unique_for_overwrite<std::uint8_t[]>(wanted);
    if (DWORD err = Seek(h.Get(), 0)) throw ErrorFromSystem(static_cast<int>(err), path);
    backupSize = ReadAll(h.Get(), backup.get(), wanted, path);
  }
  auto fail = [&](DWORD err) {
    if (backup && Seek(h.Get(), 0) == 0) WriteAll(h.Get(), backup.get(), backupSize);
    // Best effort: the old bytes are back; should the length stay, the tail is all that differs.
    SetLength(h.Get(), oldSize);
    Flush(h.Get());
    throw ErrorFromSystem(static_cast<int>(err), path);
  };
  if (DWORD err = Seek(h.Get(), 0)) fail(err);
  if (DWORD err = WriteAll(h.Get(), bytes.data(), size)) fail(err);
  if (DWORD err = Flush(h.Get())) fail(err);
  if (size < oldSize) {
    if (DWORD err = SetLength(h.Get(), size)) fail(err);
    if (DWORD err = Flush(h.Get())) fail(err);
  }
  if (DWORD err = h.Close()) throw ErrorFromSystem(static_cast<int>(err), path);
}

// Whether two files have one owner and one access list (the same entries, inherited or
// not), as far as this process may read them.
bool SameSecurity(HANDLE a, HANDLE b) {
  constexpr SECURITY_INFORMATION kWhat = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  PSID ownerA = nullptr, ownerB = nullptr;
  PACL aclA = nullptr, aclB = nullptr;
  PSECURITY_DESCRIPTOR sdA = nullptr, sdB = nullptr;
  bool same = ::GetSecurityInfo(a, SE_FILE_OBJECT, kWhat, &ownerA, nullptr, &aclA, nullptr, &sdA) == ERROR_SUCCESS &&
              ::GetSecurityInfo(b, SE_FILE_OBJECT, kWhat, &ownerB, nullptr, &aclB, nullptr, &sdB) == ERROR_SUCCESS &&
              ownerA && ownerB && ::EqualSid(ownerA, ownerB) && (aclA == nullptr) == (aclB == nullptr);
  if (same && aclA) {
    ACL_SIZE_INFORMATION sizeA, sizeB;
    same = ::GetAclInformation(aclA, &sizeA, sizeof sizeA, AclSizeInformation) &&
           ::GetAclInformation(aclB, &sizeB, sizeof sizeB, AclSizeInformation) &&
           sizeA.AclBytesInUse == sizeB.AclBytesInUse && std::memcmp(aclA, aclB, sizeA.AclBytesInUse) == 0;
  }
  ::LocalFree(sdA);
  ::LocalFree(sdB);
  return same;
}

// The system's own words for an error number, in UTF-8, without the closing full stop
// and line break that Windows ends them with; empty when it has none.
std::string SystemMessage(DWORD err) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, err,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide(text ? text : L"", n);
  ::LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' || wide.back() == L'.'))
    wide.pop_back();
  if (wide.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool IsConsole(HANDLE h) {
  DWORD mode;
  return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetFileType(h) == FILE_TYPE_CHAR && ::GetConsoleMode(h, &mode);
}

}  // namespace

namespace {

FileKind KindOfHandle(HANDLE h) {
  switch (::GetFileType(h)) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION info;
      if (!::GetFileInformationByHandle(h, &info)) return FileKind::Other;
      return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder : FileKind::Regular;
    }
    case FILE_TYPE_PIPE:
      return FileKind::Fifo;
    case FILE_TYPE_CHAR:
      return FileKind::Device;
    default:
      return FileKind::Other;
  }
}

}  // namespace

FileKind KindOfFile(const std::string& path) {
  const Handle h = OpenToLookAt(path);
  return h.Valid() ? KindOfHandle(h.Get()) : FileKind::Missing;
}

FileKind KindOfStandardInput() {
  const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
  return in == nullptr || in == INVALID_HANDLE_VALUE ? FileKind::Missing : KindOfHandle(in);
}

bool NameExists(const std::string& path) { return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::uint64_t> FileLength(const std::string& path) {
  const Handle h = OpenToLookAt(path);
  LARGE_INTEGER size;
  if (!h.Valid() || !::GetFileSizeEx(h.Get(), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::string FolderOfName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  // "C:\" and "\" are folders themselves.
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool SameFile(const std::string& a, const std::string& b) {
  const Handle ha = OpenToLookAt(a);
  const Handle hb = OpenToLookAt(b);
  BY_HANDLE_FILE_INFORMATION ia, ib;
  if (!ha.Valid() || !hb.Valid() || !::GetFileInformationByHandle(ha.Get(), &ia) ||
      !::GetFileInformationByHandle(hb.Get(), &ib))
    return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

// The system's numbers are the codes: 2, 3, 4 and 5 are Windows' own ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ERROR_TOO_MANY_OPEN_FILES and ERROR_ACCESS_DENIED. Other failures
// that mean one of those codes are shown as it; any other number N is "I/O error N", 32
// (another program holds the file open without sharing it) among them.
EInOutError ErrorFromSystem(int err, const std::string& /*path*/) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      return EInOutError(kFileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return EInOutError(kInvalidFilename);
    case ERROR_TOO_MANY_OPEN_FILES:
      return EInOutError(kTooManyOpenFiles);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return EInOutError(kFileAccessDenied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return EInOutError(kDiskFull);
    default:
      return EInOutError::FromPlatform(err);
  }
}

std::size_t ReadRegularFileStart(const std::string& path, std::span<std::uint8_t> buffer) {
  Handle h = Open(SystemName(path), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  // A folder cannot be opened this way: ERROR_ACCESS_DENIED.
  if (!h.Valid()) throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
  // A pipe, the console or a device such as NUL is no level file, and is never read from.
  if (::GetFileType(h.Get()) != FILE_TYPE_DISK) throw EInOutError(kFileAccessDenied);
  const std::size_t done = ReadAll(h.Get(), buffer.data(), buffer.size(), path);
  if (DWORD err = h.Close()) throw ErrorFromSystem(static_cast<int>(err), path);
  return done;
}

BoundedBytes ReadFileUpTo(const std::string& path, std::size_t limit) {
  Handle h = Open(SystemName(path), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  // A folder cannot be opened this way: ERROR_ACCESS_DENIED.
  if (!h.Valid()) throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
  // A named pipe is read as a file is; the console or a device such as NUL is never read from.
  const DWORD type = ::GetFileType(h.Get());
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE) throw EInOutError(kFileAccessDenied);
  LARGE_INTEGER size{};
  const bool sized = type == FILE_TYPE_DISK && ::GetFileSizeEx(h.Get(), &size) && size.QuadPart >= 0;
  BoundedBytes in = ReadUpTo(h.Get(), limit, path, sized ? static_cast<std::size_t>(size.QuadPart) : std::size_t{0});
  if (DWORD err = h.Close()) throw ErrorFromSystem(static_cast<int>(err), path);
  return in;
}

void ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::wstring name = SystemName(path);
  const SaveRunning saveRunning;

  // An existing target must be a disk file that this process may write: replacing it would
  // otherwise get round its read-only attribute or its security. Opened for reading too
  // where it may be, for an in-place rewrite to keep the old bytes aside.
  bool readable = false;
  auto openExisting = [&] {
    Handle h = Open(name, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_EXISTING, 0);
    readable = h.Valid();
    if (!h.Valid() && ::GetLastError() == ERROR_ACCESS_DENIED)
      h = Open(name, GENERIC_WRITE, kShareAll, OPEN_EXISTING, 0);
    return h;
  };
  Handle existing = openExisting();
  const bool exists = existing.Valid();
  if (!exists) {
    const DWORD err = ::GetLastError();
    if (err != ERROR_FILE_NOT_FOUND) throw ErrorFromSystem(static_cast<int>(err), path);
  }
  BY_HANDLE_FILE_INFORMATION info = {};
  std::uint64_t oldSize = 0;
  std::wstring target = name;
  if (exists) {
    if (::GetFileType(existing.Get()) != FILE_TYPE_DISK) throw EInOutError(kFileAccessDenied);
    if (!::GetFileInformationByHandle(existing.Get(), &info))
      throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
    // Windows refuses to write a read-only file for every user; Wine run as root would not.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
      throw EInOutError(kFileAccessDenied);
    oldSize = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    // A new file put in place of one of the names of a file with several hard links would
    // leave the other names holding the old content: such a file is rewritten itself.
    if (info.nNumberOfLinks > 1) return RewriteInPlace(existing, readable, oldSize, path, bytes);
    target = ResolveTarget(target, existing.Get());
  }

  TempFile temp;
  if (DWORD err = temp.Create(target)) {
    // The folder takes no new file (no permission, no room), but the file itself may still
    // be written.
    if (exists && (err == ERROR_ACCESS_DENIED || err == ERROR_DISK_FULL || err == ERROR_WRITE_PROTECT))
      return RewriteInPlace(existing, readable, oldSize, path, bytes);
    throw ErrorFromSystem(static_cast<int>(err), path);
  }
  if (exists) {
    // A new file that would not have the old one's owner and access list may not take its
    // place: the file itself is rewritten.
    if (!SameSecurity(existing.Get(), temp.Get())) {
      temp.Remove();
      return RewriteInPlace(existing, readable, oldSize, path, bytes);
    }
    // It takes the old one's attributes (hidden, say) and its creation time.
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = info.dwFileAttributes & kKeptAttributes;
    basic.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
    ::SetFileInformationByHandle(temp.Get(), FileBasicInfo, &basic, sizeof basic);
  }
  if (DWORD err = WriteAll(temp.Get(), bytes.data(), bytes.size())) throw ErrorFromSystem(static_cast<int>(err), path);
  if (DWORD err = Flush(temp.Get())) throw ErrorFromSystem(static_cast<int>(err), path);
  if (DWORD err = temp.Close()) throw ErrorFromSystem(static_cast<int>(err), path);
  existing.Close();  // a file held open here could not be replaced

  // The new file takes the old one's place with MoveFileExW, not ReplaceFileW. ReplaceFileW
  // would keep the old file's attributes, security, creation time and streams, but it is no
  // single step: failing with ERROR_UNABLE_TO_MOVE_REPLACEMENT, Windows' leaves the old file
  // gone and the new one under its temporary name; Wine's moves the old file aside and
  // deletes it before it moves the new one in (a crash between leaves neither) and leaves a
  // file of its own (rfNNNN.tmp) when it fails. MoveFileExW is one rename: on failure both
  // files are as they were, and MOVEFILE_WRITE_THROUGH returns once the rename is on the
  // disk. What it does not keep is seen to above: the attributes and creation time are
  // copied, and a file whose owner or access list the new file would not have is rewritten
  // in place.
  if (::MoveFileExW(temp.Name().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    temp.Keep();
    return;
  }
  const DWORD err = ::GetLastError();
  temp.Remove();
  // Another program holds the file open without letting it be deleted, or the folder lets
  // no file be renamed over it: the file itself may still be written.
  if (exists && (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)) {
    existing = openExisting();
    if (!existing.Valid()) throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
    return RewriteInPlace(existing, readable, oldSize, path, bytes);
  }
  throw ErrorFromSystem(static_cast<int>(err), path);
}

void PrepareStandardStreams() {
  // No byte changes on its way: no CR added before LF, no Ctrl+Z taken as the end. The
  // program's own files are handles of their own, so a closed stream never receives them,
  // and a write to one fails (ERROR_INVALID_HANDLE). Windows has no SIGPIPE: a reader that
  // went away is a failed write to begin with (ERROR_NO_DATA on Windows,
  // ERROR_PIPE_NOT_CONNECTED under Wine).
  for (FILE* stream : {stdin, stdout, stderr}) {
    const int fd = _fileno(stream);
    if (fd >= 0) _setmode(fd, _O_BINARY);
  }
  // Text is UTF-8 (file names outside ASCII): a console shows it as such while the program
  // runs, and gets its own code page back at the end.
  if (IsConsole(::GetStdHandle(STD_OUTPUT_HANDLE)) || IsConsole(::GetStdHandle(STD_ERROR_HANDLE))) {
    static UINT consoleCodePage = ::GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
      std::atexit([] { ::SetConsoleOutputCP(consoleCodePage); });
  }
}

BoundedBytes ReadStandardInput(std::size_t limit) {
  const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
  if (in == nullptr || in == INVALID_HANDLE_VALUE) throw ErrorFromSystem(ERROR_INVALID_HANDLE, "-");
  return ReadUpTo(in, limit, "-");
}

void WriteStandardOutput(std::span<const std::uint8_t> bytes) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  const DWORD err = (out == nullptr || out == INVALID_HANDLE_VALUE) ? static_cast<DWORD>(ERROR_INVALID_HANDLE)
                                                                    : WriteAll(out, bytes.data(), bytes.size());
  if (err == 0) return;
  throw StandardOutputError{ErrorFromSystem(static_cast<int>(err), "-"),
                            err == ERROR_NO_DATA || err == ERROR_BROKEN_PIPE || err == ERROR_PIPE_NOT_CONNECTED,
                            SystemMessage(err)};
}

bool StandardOutputIsTerminal() { return IsConsole(::GetStdHandle(STD_OUTPUT_HANDLE)); }

void EndForBrokenPipe() {
  // Quietly, as SIGPIPE ends a program on POSIX, with a status that says it did not finish.
  ::ExitProcess(2);
}

}  // namespace quarvel
