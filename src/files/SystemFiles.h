#pragma once
// The one door to the operating system: files, names and the standard streams. Callers get
// I/O result codes (EInOutError) and plain facts, never a system's own calls or types.
// posix/SystemFiles.cpp implements it on Linux, win32/SystemFiles.cpp on Windows; nothing
// else in the program includes an operating-system header. Names are UTF-8 everywhere;
// on Windows they become UTF-16 only at the system's calls (files/win32/Utf16.h), and a
// name that is not valid UTF-8 is kInvalidFilename, never changed into another.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/InOutError.h"

namespace quarvel {

// What a name stands for, symbolic links followed. `Device` is a character device (a
// terminal, the null device, a serial port), `BlockDevice` a disk as a whole.
enum class FileKind { Missing, Regular, Folder, Fifo, Device, BlockDevice, Socket, Other };
FileKind KindOfFile(const std::string& path);
// What standard input is, as KindOfFile tells it of a name.
FileKind KindOfStandardInput();

// Whether anything has the name `path`: a file of any kind, or a symbolic link, even one
// that leads nowhere.
bool NameExists(const std::string& path);

// "a folder", "a FIFO", "a character device", "a block device", "a socket", "not a regular
// file"; empty for Missing and Regular. The same words on every system.
constexpr std::string_view FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::Missing:
    case FileKind::Regular:
      return {};
    case FileKind::Folder:
      return "a folder";
    case FileKind::Fifo:
      return "a FIFO";
    case FileKind::Device:
      return "a character device";
    case FileKind::BlockDevice:
      return "a block device";
    case FileKind::Socket:
      return "a socket";
    case FileKind::Other:
      break;
  }
  return "not a regular file";
}

// The length of the file `path` names, or nothing when it cannot be looked at.
std::optional<std::uint64_t> FileLength(const std::string& path);

// The folder holding `path`, as the system splits names: "." for a bare name.
std::string FolderOfName(const std::string& path);

// Whether two names are one file (one inode, one file index), whatever the names.
bool SameFile(const std::string& a, const std::string& b);

// The error for the system's error number `err` from an operation on `path`. The codes of
// InOutError.h come out where the system's failure means them (a missing file is
// kFileNotFound, a missing folder kInvalidFilename, access refused kFileAccessDenied, a
// full disk kDiskFull ...); any other number N as "I/O error N".
EInOutError ErrorFromSystem(int err, const std::string& path);

// Bytes read up to a bound: at most `limit` of them in `Bytes`; `Cut` when there was more,
// which was not read. Endless input (a device, a pipe that never ends) stops at the bound.
struct BoundedBytes {
  std::vector<std::uint8_t> Bytes;
  bool Cut = false;
};

// Reads the start of a regular file: up to buffer.size() bytes, fewer when the file is
// shorter; returns how many. A folder, FIFO, device or socket fails at once with
// kFileAccessDenied and is never read from (a FIFO with no writer cannot hang). The file is
// opened for reading only, sharing reading and writing with others.
std::size_t ReadRegularFileStart(const std::string& path, std::span<std::uint8_t> buffer);

// Reads a regular file or a FIFO (a named pipe, a process substitution's /dev/fd/N) to its
// end, or to `limit` bytes and one more. A FIFO is waited for as any reader waits for its
// writer. A folder, device or socket fails at once with kFileAccessDenied and is never read
// from. The file is opened for reading only, sharing reading and writing with others.
BoundedBytes ReadFileUpTo(const std::string& path, std::size_t limit);

// Makes `path` hold exactly `bytes`, safely: the bytes go to a new file in the same folder,
// which is flushed to the disk and then put in the old one's place, so that a crash leaves
// the old file or the new one. A symbolic link is followed to the file it names (the link
// stays); an existing file keeps its permissions. An existing target must be a regular file
// that may be written, else kFileAccessDenied.
// The file itself is rewritten in place instead where a new file may not take its place:
// it has more than one hard link (each name keeps it), the folder takes no new file, or
// the replacement could not keep what the old file had (its owner, say). Then the old
// bytes are kept aside and put back if the rewrite fails; a crash in the middle of a
// rewrite can leave a mix.
// A file that another program holds for a moment (Windows: a rename or delete refused with
// 5 or 32) is tried again for about a second before it counts as one that may not be
// replaced.
// On failure EInOutError is thrown and the old file keeps its content (rewritten in place:
// as far as just said). No temporary file is left behind; should the system refuse to
// remove one, the message ends saying so, with its name.
void ReplaceFileContent(const std::string& path, std::span<const std::uint8_t> bytes);

// The standard streams, in binary: no byte is changed on its way in or out.

// Run first, before anything else touches the streams: puts them in binary mode, takes a
// closed one so that the program's own files never land on it and a write to it still
// fails, and makes a reader that went away a write error rather than the program's end.
void PrepareStandardStreams();

// Standard input read to its end, or to `limit` bytes and one more. Failures are
// EInOutError; a folder given as standard input is kFileAccessDenied.
BoundedBytes ReadStandardInput(std::size_t limit);

// A write to standard output failed. `BrokenPipe`: its reader went away (`| head -1`).
// `SystemMessage`: the system's own words for the failure ("Bad file descriptor"), to show
// beside an "I/O error N" that names none of the codes; may be empty.
struct StandardOutputError {
  EInOutError Error;
  bool BrokenPipe = false;
  std::string SystemMessage = {};
};

// Writes every byte to standard output, or throws StandardOutputError. Unbuffered: what
// returns is written.
void WriteStandardOutput(std::span<const std::uint8_t> bytes);
bool StandardOutputIsTerminal();

// Writes every byte to standard error, unbuffered, as far as it goes: a failure there has
// nowhere left to be told. Text for a Windows console is shown as UTF-8, as standard
// output's is.
void WriteStandardError(std::span<const std::uint8_t> bytes);

// Ends the program as a program whose reader went away ends on this system (by SIGPIPE on
// POSIX): quietly.
[[noreturn]] void EndForBrokenPipe();

}  // namespace quarvel
