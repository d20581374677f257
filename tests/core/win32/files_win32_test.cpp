// Level set files against Windows' own file system calls (run under Wine by the tests):
// the I/O result codes of the system's refusals, with their messages, what a failed save
// leaves, hard links, attributes and names outside ASCII.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "InOutFailure.h"
#include "LevelSets.h"
#include "TempDir.h"
#include "files/InOutError.h"
#include "files/LevelSetFile.h"
#include "files/SystemFiles.h"
#include "files/win32/Seams.h"
#include "files/win32/Utf16.h"
#include "model/LevelSet.h"

using namespace quarvel;
using namespace quarvel_test;

namespace {

std::wstring Wide(const std::string& utf8) { return Utf16FromUtf8(utf8); }

// The names in a folder, as the system lists them (UTF-16).
std::set<std::wstring> NamesIn(const std::string& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE find = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.insert(name);
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return names;
}

BY_HANDLE_FILE_INFORMATION InfoOf(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info = {};
  const HANDLE h =
      ::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
  EXPECT_TRUE(::GetFileInformationByHandle(h, &info)) << path;
  ::CloseHandle(h);
  return info;
}

// Another program (hold_file.exe, beside this one) holding a file open for reading and
// writing, until this object goes: shared with no one, or (`Sharing::ReadWrite`) with
// readers and writers but not with anyone who would delete or replace it.
enum class Sharing { None, ReadWrite };
class HeldByAnotherProgram {
 public:
  explicit HeldByAnotherProgram(const std::string& path, Sharing sharing = Sharing::None) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    const std::wstring helper = self.substr(0, self.find_last_of(L"\\/") + 1) + L"hold_file.exe";
    std::wstring command = L"\"" + helper + L"\" \"" + Wide(path) + L"\"";
    if (sharing == Sharing::ReadWrite) command += L" --share-read-write";

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr;
    EXPECT_TRUE(::CreatePipe(&childIn, &toChild_, &inherit, 0));
    EXPECT_TRUE(::CreatePipe(&fromChild_, &childOut, &inherit, 0));
    ::SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    EXPECT_TRUE(::CreateProcessW(helper.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                 &process));
    ::CloseHandle(childIn);
    ::CloseHandle(childOut);
    ::CloseHandle(process.hThread);
    process_ = process.hProcess;
    std::string said;
    char c;
    DWORD got;
    while (said.size() < 5 && ::ReadFile(fromChild_, &c, 1, &got, nullptr) && got == 1) said += c;
    EXPECT_EQ(said, "held\n") << "hold_file did not take " << path;
  }
  HeldByAnotherProgram(const HeldByAnotherProgram&) = delete;
  HeldByAnotherProgram& operator=(const HeldByAnotherProgram&) = delete;
  ~HeldByAnotherProgram() {
    ::CloseHandle(toChild_);  // its standard input ends: it lets the file go
    ::WaitForSingleObject(process_, 10000);
    ::CloseHandle(process_);
    ::CloseHandle(fromChild_);
  }

 private:
  HANDLE toChild_ = nullptr;
  HANDLE fromChild_ = nullptr;
  HANDLE process_ = nullptr;
};

std::unique_ptr<LevelSet> PlayableSet(int seed) {
  auto set = NewSet();
  for (int level = 0; level < 3; ++level) {
    LevelRecord& r = (*set)[level];
    r.Time = static_cast<std::int16_t>(100 + seed);
    r.Cells[level] = static_cast<TileCode>(seed);
  }
  return set;
}

Bytes SavedBytes(const LevelSet& set) {
  TempDir dir;
  WriteLevelSetFile(dir / "x.dag", set);
  return ReadAll(dir / "x.dag");
}

// Failures put in place of the file layer's system calls (files/win32/Seams.h), while this
// object lives: for each call, its error number and how many times (kAlways: every time).
constexpr int kAlways = -1;
struct Fault {
  win32::SystemCall Call;
  DWORD Error;
  int Times;
};
class Faults {
 public:
  explicit Faults(std::initializer_list<Fault> faults) {
    for (const Fault& fault : faults) Pending().push_back(fault);
    win32::SetSystemCallHook(&Hook);
  }
  Faults(const Faults&) = delete;
  Faults& operator=(const Faults&) = delete;
  ~Faults() {
    win32::SetSystemCallHook(nullptr);
    Pending().clear();
  }

 private:
  static std::vector<Fault>& Pending() {
    static std::vector<Fault> pending;
    return pending;
  }
  static DWORD Hook(win32::SystemCall call) {
    for (Fault& fault : Pending()) {
      if (fault.Call != call || fault.Times == 0) continue;
      if (fault.Times > 0) --fault.Times;
      return fault.Error;
    }
    return 0;
  }
};

std::uint64_t FileIndex(const std::string& path) {
  const BY_HANDLE_FILE_INFORMATION info = InfoOf(path);
  return (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}

}  // namespace

// The one conversion of the Windows side: exact both ways, and a refusal that says where
// for what has no spelling in the other encoding (a stand-in would name another file).
TEST(WindowsText, ConvertsExactlyOrRefuses) {
  const std::pair<std::string, std::wstring> exact[] = {
      {"", L""},
      {"plain.dag", L"plain.dag"},
      {"niveaux-\xC3\xA9t\xC3\xA9.dag", L"niveaux-\u00e9t\u00e9.dag"},
      {"\xD0\xBD\xD0\xB8\xD0\xB2\xD0\xBE", L"\u043d\u0438\u0432\u043e"},
      {"\xF0\x9D\x84\x9E", L"\xD834\xDD1E"},  // U+1D11E, a pair in UTF-16
  };
  for (const auto& [utf8, utf16] : exact) {
    EXPECT_EQ(Utf16FromUtf8(utf8), utf16) << utf8;
    EXPECT_EQ(Utf8FromUtf16(utf16), utf8) << utf8;
  }
  const std::pair<std::string, std::string> badUtf8[] = {
      {"ab\xE9.dag", "Not valid UTF-8: byte 0xE9 at 2"},
      {"\xC0\x80", "Not valid UTF-8: byte 0xC0 at 0"},          // an overlong NUL
      {"x\xED\xA0\x80", "Not valid UTF-8: byte 0xED at 1"},     // a surrogate spelt in UTF-8
      {"\xC3\xA9\xE2\x82", "Not valid UTF-8: byte 0xE2 at 2"},  // cut short
  };
  for (const auto& [utf8, message] : badUtf8) {
    try {
      Utf16FromUtf8(utf8);
      ADD_FAILURE() << message;
    } catch (const TextEncodingError& error) {
      EXPECT_STREQ(error.what(), message.c_str());
    }
  }
  const std::pair<std::wstring, std::string> badUtf16[] = {
      {L"ab\xD800", "An unpaired UTF-16 surrogate: U+D800 at 2"},
      {L"\xDC00x", "An unpaired UTF-16 surrogate: U+DC00 at 0"},
      {L"\xD834\xDD1E\xD834x", "An unpaired UTF-16 surrogate: U+D834 at 2"},
  };
  for (const auto& [utf16, message] : badUtf16) {
    try {
      Utf8FromUtf16(utf16);
      ADD_FAILURE() << message;
    } catch (const TextEncodingError& error) {
      EXPECT_STREQ(error.what(), message.c_str());
    }
  }
}

// What real Windows does to a save and Wine does not, put in place of its calls: a scanner
// holding the file being replaced for a moment or for good, a file system without POSIX
// renames, a temporary file that will not go, a read failing while the old bytes are kept
// aside. Each time the file holds the old bytes or the new ones, whole, and only a
// temporary file that could not be removed is left, named in the message.
TEST(WindowsFiles, SavesThroughWhatWindowsDoes) {
  using enum win32::SystemCall;
  enum Outcome { Replaced, RewrittenInPlace, Failed };
  struct Case {
    const char* what;
    std::initializer_list<Fault> faults;
    Outcome outcome;
    std::string message;
  };
  const Case cases[] = {
      {"no POSIX rename (FAT)", {{RenameByHandle, ERROR_INVALID_PARAMETER, kAlways}}, Replaced, ""},
      {"no POSIX rename (SMB)", {{RenameByHandle, ERROR_NOT_SUPPORTED, kAlways}}, Replaced, ""},
      {"held once (5)", {{MoveFile, ERROR_ACCESS_DENIED, 1}}, Replaced, ""},
      {"held once (32)", {{MoveFile, ERROR_SHARING_VIOLATION, 1}}, Replaced, ""},
      {"held for good (5)", {{MoveFile, ERROR_ACCESS_DENIED, kAlways}}, RewrittenInPlace, ""},
      {"held for good (32)", {{MoveFile, ERROR_SHARING_VIOLATION, kAlways}}, RewrittenInPlace, ""},
      {"rename fails", {{MoveFile, ERROR_IO_DEVICE, kAlways}}, Failed, "I/O error 1117"},
      {"rename fails, delete refused once",
       {{MoveFile, ERROR_IO_DEVICE, kAlways}, {Delete, ERROR_SHARING_VIOLATION, 1}},
       Failed,
       "I/O error 1117"},
      {"rename fails, delete refused for good",
       {{MoveFile, ERROR_IO_DEVICE, kAlways}, {Delete, ERROR_ACCESS_DENIED, kAlways}},
       Failed,
       "I/O error 1117; the temporary file PATH.saving-"},
      {"held for good, backup read fails",
       {{MoveFile, ERROR_ACCESS_DENIED, kAlways}, {Read, ERROR_CRC, 1}},
       Failed,
       "I/O error 23"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir / "set.dag";
    const Bytes old = PatternBytes(4 + 296, 1), fresh = PatternBytes(4 + 296 * 3, 2);
    WriteRaw(path, old);
    const std::uint64_t index = FileIndex(path);
    std::pair<int, std::string> failure;
    {
      const Faults faults(c.faults);
      failure = FailureOf([&] { ReplaceFileContent(path, fresh); });
    }
    std::set<std::wstring> names = NamesIn(dir.Path());
    if (c.outcome == Failed) {
      EXPECT_EQ(ReadAll(path), old) << c.what;
      std::string expected = c.message;
      if (auto at = expected.find("PATH"); at != std::string::npos) {
        expected.replace(at, 4, path);
        EXPECT_EQ(failure.second.substr(0, expected.size()), expected) << c.what;
        EXPECT_TRUE(failure.second.ends_with(" could not be removed")) << failure.second;
        EXPECT_EQ(names.size(), 2u) << c.what;
        names.erase(L"set.dag");
        ::DeleteFileW(Wide(dir.Path() + "/" + std::string(names.begin()->begin(), names.begin()->end())).c_str());
        names = NamesIn(dir.Path());
      } else {
        EXPECT_EQ(failure.second, expected) << c.what;
      }
    } else {
      EXPECT_EQ(failure.first, 0) << c.what << ": " << failure.second;
      EXPECT_EQ(ReadAll(path), fresh) << c.what;
      EXPECT_EQ(FileIndex(path) == index, c.outcome == RewrittenInPlace) << c.what;
    }
    EXPECT_EQ(names, std::set<std::wstring>{L"set.dag"}) << c.what;
  }
}

// Names past MAX_PATH save and open whether or not the system's LongPathsEnabled is on: a
// name of 250 characters (whose temporary name is kept under 255) and a path of 300.
TEST(WindowsFiles, LongNamesSaveAndOpen) {
  TempDir dir;
  const std::string folder = dir / (std::string(120, 'f') + "/" + std::string(120, 'g'));
  // The test's own calls take the long form (\\?\ and backslashes only).
  auto longForm = [](std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "\\\\?\\" + path;
  };
  ASSERT_TRUE(::CreateDirectoryW(Wide(longForm(dir / std::string(120, 'f'))).c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(Wide(longForm(folder)).c_str(), nullptr));
  // As Windows is by default, and Wine is not: a name past MAX_PATH without the prefix fails.
  const Faults windows({{win32::SystemCall::UnprefixedLongName, ERROR_FILENAME_EXCED_RANGE, kAlways}});
  for (const std::string& path : {dir / (std::string(246, 'n') + ".dag"), folder + "/set.dag"}) {
    ASSERT_GT(path.size(), std::size_t{MAX_PATH}) << path;
    for (int seed : {13, 14}) {  // a new file, then one replaced
      const auto set = PlayableSet(seed);
      EXPECT_NO_THROW(WriteLevelSetFile(path, *set)) << path.size();
      auto target = NewSet();
      EXPECT_NO_THROW(ReadLevelSetFile(path, *target)) << path.size();
      EXPECT_TRUE(SameSet(*target, *set)) << path.size();
    }
    EXPECT_EQ(FileLength(path), 4u + 3 * 296);
  }
  EXPECT_EQ(NamesIn(dir.Path()).size(), 2u);
  EXPECT_EQ(NamesIn(longForm(folder)).size(), 1u);
}

// Each refusal of the system with the code and message that the user sees, for reading
// and for saving; a failed save leaves the old bytes and no file of its own.
TEST(WindowsFiles, RefusalsGiveTheSystemsCodes) {
  TempDir dir;
  const Bytes old = PatternBytes(4 + 296 * 2);
  WriteRaw(dir / "readonly.dag", old, 0444);  // no write bit: the read-only attribute
  WriteRaw(dir / "held.dag", old);
  ::CreateDirectoryW(Wide(dir / "folder.dag").c_str(), nullptr);
  ASSERT_TRUE(::GetFileAttributesW(Wide(dir / "readonly.dag").c_str()) & FILE_ATTRIBUTE_READONLY);
  const std::set<std::wstring> names = NamesIn(dir.Path());
  const HeldByAnotherProgram holder(dir / "held.dag");

  enum Operation { Read, Save };
  struct Case {
    Operation operation;
    std::string name;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {Read, "missing.dag", 2, "File not found"},
      {Read, "no-folder/missing.dag", 3, "Invalid filename"},
      {Save, "no-folder/new.dag", 3, "Invalid filename"},
      {Read, "folder.dag", 5, "File access denied"},
      {Save, "folder.dag", 5, "File access denied"},
      // Windows refuses to write a read-only file whoever asks. Wine run as root would let
      // the file be opened for writing; the save refuses it itself, so this case holds for
      // root as for anyone.
      {Save, "readonly.dag", 5, "File access denied"},
      {Read, "held.dag", 32, "I/O error 32"},
      {Save, "held.dag", 32, "I/O error 32"},
  };
  const auto set = PlayableSet(1);
  for (const Case& c : cases) {
    auto target = PlayableSet(2);
    const auto failure = FailureOf([&] {
      if (c.operation == Read)
        ReadLevelSetFile(dir / c.name, *target);
      else
        WriteLevelSetFile(dir / c.name, *set);
    });
    EXPECT_EQ(failure.first, c.code) << c.name;
    EXPECT_EQ(failure.second, c.message) << c.name;
    EXPECT_TRUE(SameSet(*target, *PlayableSet(2))) << c.name;
    EXPECT_EQ(NamesIn(dir.Path()), names) << c.name;
  }
  EXPECT_EQ(ReadAll(dir / "readonly.dag"), old);
  // A read-only file still reads.
  auto target = NewSet();
  EXPECT_EQ(ReadLevelSetFile(dir / "readonly.dag", *target), 2);
}

// Once the other program lets go, the file that it held is saved as any other.
TEST(WindowsFiles, AFileLetGoIsSaved) {
  TempDir dir;
  WriteRaw(dir / "held.dag", PatternBytes(300));
  { const HeldByAnotherProgram holder(dir / "held.dag"); }
  const auto set = PlayableSet(3);
  WriteLevelSetFile(dir / "held.dag", *set);
  EXPECT_EQ(ReadAll(dir / "held.dag"), SavedBytes(*set));
}

// A file that another program holds open, letting it be read and written but not replaced,
// is rewritten in place.
TEST(WindowsFiles, AFileThatMayNotBeReplacedIsRewrittenInPlace) {
  TempDir dir;
  WriteRaw(dir / "shared.dag", PatternBytes(4 + 296 * 9));
  const auto before = InfoOf(dir / "shared.dag");
  const HeldByAnotherProgram holder(dir / "shared.dag", Sharing::ReadWrite);
  for (int seed : {9, 10}) {
    const auto set = PlayableSet(seed);
    WriteLevelSetFile(dir / "shared.dag", *set);
    EXPECT_EQ(ReadAll(dir / "shared.dag"), SavedBytes(*set));
    const auto after = InfoOf(dir / "shared.dag");
    EXPECT_EQ(std::pair(after.nFileIndexHigh, after.nFileIndexLow),
              std::pair(before.nFileIndexHigh, before.nFileIndexLow));
    EXPECT_EQ(NamesIn(dir.Path()), std::set<std::wstring>{L"shared.dag"});
  }
}

// A file with two names: saving through one changes the file, and both names keep it.
TEST(WindowsFiles, AHardLinkedFileKeepsBothNames) {
  TempDir dir;
  WriteRaw(dir / "a.dag", PatternBytes(4 + 296 * 5));
  ASSERT_TRUE(::CreateHardLinkW(Wide(dir / "b.dag").c_str(), Wide(dir / "a.dag").c_str(), nullptr));
  for (const auto& [name, seed] : {std::pair{"a.dag", 4}, std::pair{"b.dag", 5}}) {
    const auto set = PlayableSet(seed);
    WriteLevelSetFile(dir / name, *set);
    const Bytes expected = SavedBytes(*set);
    EXPECT_EQ(ReadAll(dir / "a.dag"), expected) << name;
    EXPECT_EQ(ReadAll(dir / "b.dag"), expected) << name;
    const BY_HANDLE_FILE_INFORMATION a = InfoOf(dir / "a.dag"), b = InfoOf(dir / "b.dag");
    EXPECT_EQ(a.nNumberOfLinks, 2u);
    EXPECT_EQ(std::pair(a.nFileIndexHigh, a.nFileIndexLow), std::pair(b.nFileIndexHigh, b.nFileIndexLow));
    EXPECT_TRUE(SameFile(dir / "a.dag", dir / "b.dag"));
    EXPECT_EQ(NamesIn(dir.Path()), (std::set<std::wstring>{L"a.dag", L"b.dag"}));
  }
}

// A save over an existing file puts a new file in its place (one rename: a crash leaves the
// old file or the new one) that keeps the old one's attributes. (It is given the old one's
// creation time too, which Wine does not keep: Linux has no time of creation to set.)
TEST(WindowsFiles, SavingKeepsTheFilesAttributes) {
  TempDir dir;
  const std::string path = dir / "hidden.dag";
  WriteRaw(path, PatternBytes(1000));
  ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  const BY_HANDLE_FILE_INFORMATION before = InfoOf(path);
  const auto set = PlayableSet(6);
  WriteLevelSetFile(path, *set);
  EXPECT_EQ(ReadAll(path), SavedBytes(*set));
  const BY_HANDLE_FILE_INFORMATION after = InfoOf(path);
  EXPECT_NE(std::pair(after.nFileIndexHigh, after.nFileIndexLow),
            std::pair(before.nFileIndexHigh, before.nFileIndexLow));
  EXPECT_TRUE(after.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(NamesIn(dir.Path()), std::set<std::wstring>{L"hidden.dag"});
}

// UTF-8 inside, UTF-16 at the system: the name on the disk is the one the user gave.
TEST(WindowsFiles, ANameOutsideAsciiIsSavedAndOpened) {
  TempDir dir;
  const std::string name = "niveaux-\xC3\xA9t\xC3\xA9.dag";  // niveaux-été.dag
  const auto set = PlayableSet(7);
  WriteLevelSetFile(dir / name, *set);
  EXPECT_EQ(NamesIn(dir.Path()), std::set<std::wstring>{L"niveaux-\u00e9t\u00e9.dag"});
  auto target = NewSet();
  EXPECT_EQ(ReadLevelSetFile(dir / name, *target), 3);
  EXPECT_TRUE(SameSet(*target, *set));
  WriteLevelSetFile(dir / name, *PlayableSet(8));  // over the existing file
  EXPECT_EQ(ReadAll(dir / name), SavedBytes(*PlayableSet(8)));
  EXPECT_EQ(KindOfFile(dir / name), FileKind::Regular);
  EXPECT_EQ(FileLength(dir / name), 4u + 3 * 296);
  EXPECT_EQ(FailureOf([&] { ReadLevelSetFile(dir / "\xC3\xA9t\xC3\xA9/x.dag", *target); }).first, 3);
  // Bytes that are no UTF-8 name no file.
  EXPECT_EQ(FailureOf([&] { ReadLevelSetFile(dir / "\xE9t\xE9.dag", *target); }).first, 3);
}

// A name in any of its forms is saved, twice (a new file, then one replaced), and read.
TEST(WindowsFiles, EveryFormOfAName) {
  TempDir dir;
  std::wstring before(MAX_PATH, L'\0');
  before.resize(::GetCurrentDirectoryW(MAX_PATH, before.data()));
  ASSERT_TRUE(::SetCurrentDirectoryW(Wide(dir.Path()).c_str()));
  std::string rooted = dir.Path().substr(2);  // without its drive: "\\users\\...\\quarvel-files-N"
  std::replace(rooted.begin(), rooted.end(), '/', '\\');
  const std::string names[] = {"relative.dag",
                               ".\\dot.dag",
                               rooted + "\\rooted.dag",
                               rooted + "/slashes.dag",
                               dir.Path() + "\\full.dag",
                               dir.Path() + "/sub/../up.dag"};
  ::CreateDirectoryW(L"sub", nullptr);
  for (const std::string& name : names) {
    for (int seed : {11, 12}) {
      const auto set = PlayableSet(seed);
      EXPECT_NO_THROW(WriteLevelSetFile(name, *set)) << name;
      auto target = NewSet();
      EXPECT_NO_THROW(ReadLevelSetFile(name, *target)) << name;
      EXPECT_TRUE(SameSet(*target, *set)) << name;
    }
  }
  EXPECT_EQ(NamesIn(dir.Path()), (std::set<std::wstring>{L"dot.dag", L"full.dag", L"relative.dag", L"rooted.dag",
                                                         L"slashes.dag", L"sub", L"up.dag"}));
  ::SetCurrentDirectoryW(before.c_str());
}

TEST(WindowsFiles, KindsOfNames) {
  TempDir dir;
  WriteRaw(dir / "a.dag", PatternBytes(10));
  EXPECT_EQ(KindOfFile(dir / "a.dag"), FileKind::Regular);
  EXPECT_EQ(KindOfFile(dir.Path()), FileKind::Folder);
  EXPECT_EQ(KindOfFile(dir / "missing.dag"), FileKind::Missing);
  EXPECT_EQ(KindOfFile("NUL"), FileKind::Device);
  EXPECT_EQ(FileLength(dir / "a.dag"), 10u);
  EXPECT_EQ(FileLength(dir / "missing.dag"), std::nullopt);
  EXPECT_FALSE(SameFile(dir / "a.dag", dir / "missing.dag"));
  EXPECT_TRUE(SameFile(dir / "a.dag", dir.Path() + "\\a.dag"));
  // A device is no level file, and is never read from.
  auto target = NewSet();
  EXPECT_EQ(FailureOf([&] { ReadLevelSetFile("NUL", *target); }).first, 5);
}

// Run on a nearly full disk only (QUARVEL_FULL_DISK names a folder on it: 64 KiB, less
// than a full set, full_disk_test.sh); skipped elsewhere.
TEST(WindowsFiles, AFullDiskKeepsTheOldFile) {
  const char* disk = std::getenv("QUARVEL_FULL_DISK");
  if (!disk) GTEST_SKIP() << "only on a full disk";
  const std::string path = std::string(disk) + "/full.dag";
  const Bytes old = PatternBytes(4 + 296);
  WriteRaw(path, old);
  auto set = NewSet();
  for (int level = 0; level < kLevelCount; ++level) (*set)[level].Time = 50;
  const auto failure = FailureOf([&] { WriteLevelSetFile(path, *set); });
  EXPECT_EQ(failure.first, 101);
  EXPECT_EQ(failure.second, "Disk full");
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(NamesIn(disk), std::set<std::wstring>{L"full.dag"});
}

// The system's numbers as the codes and messages that the user sees: 2 to 5 are Windows'
// own, other names that cannot be and a full disk mean one of them too, and any other
// number is shown as itself, even one that equals a code of the program's own (100, 101).
TEST(WindowsFiles, SystemErrorNumbers) {
  const std::pair<int, InOutCode> cases[] = {
      {ERROR_FILE_NOT_FOUND, kFileNotFound},
      {ERROR_PATH_NOT_FOUND, kInvalidFilename},
      {ERROR_INVALID_DRIVE, kInvalidFilename},
      {ERROR_INVALID_NAME, kInvalidFilename},
      {ERROR_FILENAME_EXCED_RANGE, kInvalidFilename},
      {ERROR_DIRECTORY, kInvalidFilename},
      {ERROR_TOO_MANY_OPEN_FILES, kTooManyOpenFiles},
      {ERROR_ACCESS_DENIED, kFileAccessDenied},
      {ERROR_WRITE_PROTECT, kFileAccessDenied},
      {ERROR_DISK_FULL, kDiskFull},
      {ERROR_HANDLE_DISK_FULL, kDiskFull},
      {ERROR_SHARING_VIOLATION, {32, "I/O error 32"}},
      {ERROR_LOCK_VIOLATION, {33, "I/O error 33"}},
      {ERROR_ALREADY_EXISTS, {183, "I/O error 183"}},
      {100, {100, "I/O error 100"}},
      {101, {101, "I/O error 101"}},
  };
  for (const auto& [err, expected] : cases) {
    const EInOutError error = ErrorFromSystem(err, "x.dag");
    EXPECT_EQ(error.ErrorCode, expected.Code) << err;
    EXPECT_STREQ(error.what(), expected.Message) << err;
  }
}
