// The door to the system on Windows (files/SystemFiles.h): the Unicode calls of kernel32,
// with names turned from UTF-8 into UTF-16 (files/win32/Utf16.h) at the calls. I/O result
// codes are the system's own error numbers (GetLastError), as the editor's file layer has
// always shown them; those that mean one of the codes of InOutError.h become that code.

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
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/BoundedRead.h"
#include "files/SystemFiles.h"
#include "files/win32/ConsoleText.h"
#include "files/win32/SaveGate.h"
#include "files/win32/Seams.h"
#include "files/win32/Utf16.h"

namespace quarvel {

namespace {

constexpr wchar_t kTempInfix[] = L".saving-";  // NAME.saving-XXXXXXXXXXXX beside NAME
constexpr std::size_t kTempSuffixLength = 8 + 12;
constexpr std::size_t kMaxTempBaseLength = 200;  // keeps the temporary name under 255 units
constexpr int kMaxTempAttempts = 100;
// How long a rename or delete refused with 5 or 32 is tried again: a scanner, an indexer or
// a sync client that opened the file holds it for moments at a time.
constexpr DWORD kRetryFor = 1000;
// FileRenameInfoEx, which MinGW-w64's headers leave out of FILE_INFO_BY_HANDLE_CLASS.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
// How much of an old file an in-place rewrite keeps aside to put back on failure.
constexpr std::size_t kMaxInPlaceBackup = std::size_t{4} << 20;
// ReadFile and WriteFile move at most a DWORD of bytes at a time.
constexpr std::size_t kMaxChunk = 1u << 30;
// What a replacement keeps of the old file's attributes (read-only files are not replaced).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::atomic<win32::SystemCallHook> systemCallHook{nullptr};

// 0, or the failure that a test's hook (Seams.h) puts in place of `call`.
DWORD InjectedFailure(win32::SystemCall call) {
  const win32::SystemCallHook hook = systemCallHook.load(std::memory_order_relaxed);
  return hook ? hook(call) : 0;
}

bool HasPrefix(const std::wstring& wide) { return wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\"); }

// The name made absolute (GetFullPathNameW), as it is where that fails or it already is.
std::wstring FullName(const std::wstring& wide) {
  if (HasPrefix(wide)) return wide;
  std::wstring full(wide.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return wide;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);  // the size asked for, its NUL included
  }
}

// A long name in the form that Windows takes past MAX_PATH whether or not the system's
// LongPathsEnabled is on: absolute, with the \\?\ (or \\?\UNC\) prefix. A name that fits,
// with room for the temporary name beside it, stays as it is.
std::wstring LongForm(std::wstring wide) {
  const std::wstring full = FullName(wide);
  if (full.size() + kTempSuffixLength < MAX_PATH || HasPrefix(full)) return wide;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// A name as the system takes it, or nothing: a name that is not valid UTF-8, or one holding
// a NUL (the system would cut it short), names no file.
std::optional<std::wstring> Wide(const std::string& utf8) {
  if (utf8.empty() || utf8.find('\0') != std::string::npos) return std::nullopt;
  try {
    return LongForm(Utf16FromUtf8(utf8));
  } catch (const TextEncodingError&) {
    return std::nullopt;
  }
}

// A wide name, or kInvalidFilename when the UTF-8 name has none.
std::wstring SystemName(const std::string& utf8) {
  std::optional<std::wstring> wide = Wide(utf8);
  if (!wide) throw EInOutError(kInvalidFilename);
  return std::move(*wide);
}

// A name of the system's shown in a message: in UTF-8, without the long form's prefix.
std::string ShownName(std::wstring_view wide) {
  if (wide.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + ShownName(wide.substr(8));
  if (wide.starts_with(L"\\\\?\\")) wide.remove_prefix(4);
  try {
    return Utf8FromUtf16(wide);
  } catch (const TextEncodingError&) {
    return "?";
  }
}

// Runs `call` again while it fails with 5 or 32 (or 32 alone), for about a second
// (kRetryFor), as Git, LLVM and SQLite do on Windows.
constexpr bool kSharingViolationOnly = true;
template <class Call>
DWORD Retrying(Call call, bool sharingViolationOnly = false) {
  auto transient = [&](DWORD err) {
    return err == ERROR_SHARING_VIOLATION || (err == ERROR_ACCESS_DENIED && !sharingViolationOnly);
  };
  DWORD err = call();
  for (DWORD waited = 0, delay = 1; transient(err) && waited < kRetryFor;
       waited += delay, delay = std::min<DWORD>(delay * 2, 100)) {
    ::Sleep(delay);
    err = call();
  }
  return err;
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

// 0, or what a test makes of a long name without the prefix (Seams.h).
DWORD LongNameFailure(const std::wstring& name) {
  return name.size() >= MAX_PATH && !HasPrefix(name) ? InjectedFailure(win32::SystemCall::UnprefixedLongName) : 0;
}

Handle Open(const std::wstring& name, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  if (const DWORD err = LongNameFailure(name)) {
    ::SetLastError(err);
    return Handle();
  }
  return Handle(::CreateFileW(name.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

// Opens whatever the name stands for, folders too, only to look at it.
Handle OpenToLookAt(const std::string& path) {
  const std::optional<std::wstring> wide = Wide(path);
  if (!wide) return Handle();
  return Open(*wide, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
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
    DWORD err = InjectedFailure(win32::SystemCall::Read);
    if (err == 0 && !::ReadFile(h, data + done, chunk, &got, nullptr)) err = ::GetLastError();
    if (err != 0) {
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

// A new file beside the target, opened for writing with DELETE access and shared only with
// a rename or delete by name (MoveFileExW's), so that it can be renamed and removed through
// its own handle, even in a folder that lets users create files but not delete them. It is
// removed again unless moved into place.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { Remove(); }

  // Returns 0 or the error number of the failed creation.
  DWORD Create(const std::wstring& target) {
    // A name of 236 to 255 units would overflow the system's limit for one name once the
    // suffix is added: the temporary name keeps only the start of it.
    const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 == 0
    std::size_t baseEnd = target.size();
    if (baseEnd - nameStart > kMaxTempBaseLength) {
      baseEnd = nameStart + kMaxTempBaseLength;
      if (target[baseEnd - 1] >= 0xD800 && target[baseEnd - 1] <= 0xDBFF) --baseEnd;  // never half a pair
    }
    const std::wstring base = target.substr(0, baseEnd);
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
      // Visible and named after the file being saved ("pack.dag.saving-3f09a1c27b44"), so
      // that one left by a save cut short (a power cut) is plain to see and to remove.
      wchar_t suffix[32];
      std::swprintf(suffix, 32, L"%ls%012llx", kTempInfix,
                    static_cast<unsigned long long>(TempSuffix() & 0xFFFFFFFFFFFFull));
      std::wstring name = base + suffix;
      Handle h = Open(name, GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
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

  // Puts the file in place of `target` in one step; returns 0 or the error number. Through
  // its own handle with POSIX semantics first: that replaces a target which other programs
  // hold open while sharing deletion, where any other rename fails with 5. File systems
  // without it (FAT, exFAT, SMB shares, Windows before 10 1709) answer 87, 50 or 1: there
  // MoveFileExW renames it by name. Either way both files are as they were on failure.
  DWORD MoveOver(const std::wstring& target) {
    DWORD err = InjectedFailure(win32::SystemCall::RenameByHandle);
    if (err == 0) {
      // In full, so that the name means what it means to the other calls here.
      const std::wstring to = FullName(target);
      const std::size_t nameBytes = to.size() * sizeof(wchar_t);
      std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
      auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
      info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
      info->RootDirectory = nullptr;
      info->FileNameLength = static_cast<DWORD>(nameBytes);
      std::memcpy(info->FileName, to.data(), nameBytes);
      if (::SetFileInformationByHandle(handle_.Get(), kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size())))
        return Moved();
      err = ::GetLastError();
    }
    if (err != ERROR_INVALID_PARAMETER && err != ERROR_NOT_SUPPORTED && err != ERROR_INVALID_FUNCTION) return err;
    // MOVEFILE_WRITE_THROUGH: the call returns only once the move is on the disk.
    err = InjectedFailure(win32::SystemCall::MoveFile);
    if (err == 0) err = LongNameFailure(name_);
    if (err == 0) err = LongNameFailure(target);
    if (err == 0 && !::MoveFileExW(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      err = ::GetLastError();
    return err ? err : Moved();
  }

  // Removes the file, through its handle, trying again for a while when refused (a scanner
  // may have just opened it); returns 0 or the error number of the last try.
  DWORD Remove() {
    if (name_.empty()) return 0;
    const DWORD err = Retrying([&]() -> DWORD {
      if (DWORD injected = InjectedFailure(win32::SystemCall::Delete)) return injected;
      FILE_DISPOSITION_INFO dispose = {TRUE};  // gone once the handle below is closed
      return ::SetFileInformationByHandle(handle_.Get(), FileDispositionInfo, &dispose, sizeof dispose)
                 ? 0
                 : ::GetLastError();
    });
    handle_.Close();
    if (err == 0) name_.clear();
    return err;
  }

  // `error`, once the file is removed; if it could not be, the message says where it is.
  EInOutError Removed(EInOutError error) {
    const std::wstring name = name_;
    if (Remove() == 0) return error;
    name_.clear();  // left where the message says
    return error.WithMore("; the temporary file " + ShownName(name) + " could not be removed");
  }

 private:
  DWORD Moved() {
    // The rename is done and the bytes were flushed before it: a failing close loses nothing.
    handle_.Close();
    name_.clear();
    return 0;
  }

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

// Rewrites an existing file through `h`, for when no new file may take its place. Its length
// is read now (another program may have changed it meanwhile), and the old bytes are kept
// aside first (when `h` may read): a failure before anything changed throws at once. Then
// room is made by setting the new length (a full disk fails there, before any old byte
// changes); after that every failure writes the old bytes back and puts the old length
// back. The old tail is cut off only once the new bytes are on the disk.
void RewriteInPlace(Handle& h, bool readable, const std::string& path, std::span<const std::uint8_t> bytes) {
  LARGE_INTEGER length;
  if (!::GetFileSizeEx(h.Get(), &length)) throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
  const auto oldSize = static_cast<std::uint64_t>(length.QuadPart);
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
  const std::size_t size = bytes.size();
  if (size > oldSize)
    if (DWORD err = SetLength(h.Get(), size)) fail(err);
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
  try {
    return Utf8FromUtf16(wide);
  } catch (const TextEncodingError&) {
    return {};
  }
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

bool NameExists(const std::string& path) {
  const std::optional<std::wstring> wide = Wide(path);
  return wide && ::GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES;
}

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
  const win32::SaveRunning saveRunning;

  // An existing target must be a disk file that this process may write: replacing it would
  // otherwise get round its read-only attribute or its security. Opened for reading too
  // where it may be, for an in-place rewrite to keep the old bytes aside.
  bool readable = false;
  // Opened again for a rewrite in place after a failed rename. Returns 0 or the error
  // number; a program that holds the file for a moment without sharing writing (32) is
  // waited for.
  Handle existing;
  auto openExisting = [&] {
    return Retrying(
        [&]() -> DWORD {
          existing = Open(name, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_EXISTING, 0);
          readable = existing.Valid();
          if (!existing.Valid() && ::GetLastError() == ERROR_ACCESS_DENIED)
            existing = Open(name, GENERIC_WRITE, kShareAll, OPEN_EXISTING, 0);
          return existing.Valid() ? 0 : ::GetLastError();
        },
        kSharingViolationOnly);
  };
  const DWORD openFailure = openExisting();
  const bool exists = openFailure == 0;
  if (!exists && openFailure != ERROR_FILE_NOT_FOUND) throw ErrorFromSystem(static_cast<int>(openFailure), path);
  BY_HANDLE_FILE_INFORMATION info = {};
  std::wstring target = name;
  if (exists) {
    if (::GetFileType(existing.Get()) != FILE_TYPE_DISK) throw EInOutError(kFileAccessDenied);
    if (!::GetFileInformationByHandle(existing.Get(), &info))
      throw ErrorFromSystem(static_cast<int>(::GetLastError()), path);
    // Windows refuses to write a read-only file for every user; Wine run as root would not.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
      throw EInOutError(kFileAccessDenied);
    // A new file put in place of one of the names of a file with several hard links would
    // leave the other names holding the old content: such a file is rewritten itself.
    if (info.nNumberOfLinks > 1) return RewriteInPlace(existing, readable, path, bytes);
    target = ResolveTarget(target, existing.Get());
  }

  TempFile temp;
  if (DWORD err = temp.Create(target)) {
    // The folder takes no new file (no permission, no room, a name or path too long for
    // one more), but the file itself may still be written.
    const bool folderRefuses = err == ERROR_ACCESS_DENIED || err == ERROR_DISK_FULL || err == ERROR_WRITE_PROTECT ||
                               err == ERROR_PATH_NOT_FOUND || err == ERROR_FILENAME_EXCED_RANGE;
    if (exists && folderRefuses) return RewriteInPlace(existing, readable, path, bytes);
    throw ErrorFromSystem(static_cast<int>(err), path);
  }
  // Instead of the file being replaced, the file itself is rewritten: only once the new file
  // is gone, else the save fails saying where it was left.
  auto rewriteInstead = [&](DWORD reason) {
    if (temp.Remove() != 0) throw temp.Removed(ErrorFromSystem(static_cast<int>(reason), path));
    if (!existing.Valid())
      if (DWORD err = openExisting()) throw ErrorFromSystem(static_cast<int>(err), path);
    RewriteInPlace(existing, readable, path, bytes);
  };
  if (exists) {
    // A new file that would not have the old one's owner and access list may not take its
    // place: the file itself is rewritten.
    if (!SameSecurity(existing.Get(), temp.Get())) return rewriteInstead(ERROR_ACCESS_DENIED);
    // It takes the old one's attributes (hidden, say) and its creation time.
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = info.dwFileAttributes & kKeptAttributes;
    basic.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
    ::SetFileInformationByHandle(temp.Get(), FileBasicInfo, &basic, sizeof basic);
  }
  if (DWORD err = WriteAll(temp.Get(), bytes.data(), bytes.size()))
    throw temp.Removed(ErrorFromSystem(static_cast<int>(err), path));
  if (DWORD err = Flush(temp.Get())) throw temp.Removed(ErrorFromSystem(static_cast<int>(err), path));
  existing.Close();  // a file held open here could not be replaced by MoveFileExW

  // A rename, not ReplaceFileW: ReplaceFileW is documented to keep more of the old file (its
  // streams, its security, its object ID), but failing with ERROR_UNABLE_TO_MOVE_REPLACEMENT
  // it leaves the old file gone and the new one under its temporary name, where a rename
  // leaves both files as they were. What a rename does not keep is seen to here: the
  // attributes and the creation time are copied above, and a file whose owner or access
  // list the new file would not have is rewritten in place. Alternate data streams, EFS
  // encryption and the object ID of the old file are not kept.
  const DWORD err = Retrying([&] { return temp.MoveOver(target); });
  if (err == 0) return;
  // Another program holds the file open without letting it be replaced, or the folder lets
  // no file be renamed over it: the file itself may still be written.
  if (exists && (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)) return rewriteInstead(err);
  throw temp.Removed(ErrorFromSystem(static_cast<int>(err), path));
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
}

BoundedBytes ReadStandardInput(std::size_t limit) {
  const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
  if (in == nullptr || in == INVALID_HANDLE_VALUE) throw ErrorFromSystem(ERROR_INVALID_HANDLE, "-");
  return ReadUpTo(in, limit, "-");
}

void WriteStandardOutput(std::span<const std::uint8_t> bytes) {
  static std::string pending;
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  const DWORD err = (out == nullptr || out == INVALID_HANDLE_VALUE) ? static_cast<DWORD>(ERROR_INVALID_HANDLE)
                    : IsConsole(out)                                ? win32::WriteToConsole(out, pending, bytes)
                                                                    : WriteAll(out, bytes.data(), bytes.size());
  if (err == 0) return;
  throw StandardOutputError{ErrorFromSystem(static_cast<int>(err), "-"),
                            err == ERROR_NO_DATA || err == ERROR_BROKEN_PIPE || err == ERROR_PIPE_NOT_CONNECTED,
                            SystemMessage(err)};
}

bool StandardOutputIsTerminal() { return IsConsole(::GetStdHandle(STD_OUTPUT_HANDLE)); }

void WriteStandardError(std::span<const std::uint8_t> bytes) {
  static std::string pending;
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  if (IsConsole(err))
    win32::WriteToConsole(err, pending, bytes);
  else
    WriteAll(err, bytes.data(), bytes.size());
}

void EndForBrokenPipe() {
  // Quietly, as SIGPIPE ends a program on POSIX, with a status that says it did not finish.
  ::ExitProcess(2);
}

namespace win32 {

void SetSystemCallHook(SystemCallHook hook) { systemCallHook.store(hook); }

}  // namespace win32

}  // namespace quarvel
