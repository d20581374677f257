#include "cli/SetFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <memory>

#include "cli/CliSupport.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "files/PosixFiles.h"

namespace quarvel_cli {

std::string NotWholeRecord(std::size_t trailingBytes) {
  return "the last " + Counted(static_cast<long long>(trailingBytes), "byte") + (trailingBytes == 1 ? " is" : " are") +
         " not a whole record";
}

std::string WhyNotReadable(const quarvel::LevelSetFileShape& shape) {
  if (shape.Bytes < quarvel::kHeaderSize) return "the file is shorter than its 4-byte header";
  return NotWholeRecord(shape.TrailingBytes());
}

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return {};
}

std::uint64_t LengthOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

// The editor's message for a failed read, with what is wrong with the length when the file
// is cut short.
std::string ReadErrorMessage(const quarvel::EInOutError& error, const SetFileShape& shape) {
  const std::string message = error.what();
  if (error.ErrorCode != quarvel::kReadBeyondEndOfFile.Code) return message;
  return message + ": " + WhyNotReadable(shape);
}

// Standard input read to its end: the first 75,780 bytes kept, the rest only counted.
SetFileShape ReadStandardInput(quarvel::LevelSet& set) {
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(quarvel::kMaxLevelSetFileSize);
  std::uint64_t total = 0;
  std::uint8_t spill[65536];
  for (;;) {
    const bool keeping = total < quarvel::kMaxLevelSetFileSize;
    std::uint8_t* into = keeping ? buffer.get() + total : spill;
    const std::size_t room = keeping ? quarvel::kMaxLevelSetFileSize - total : sizeof spill;
    const ssize_t n = ::read(STDIN_FILENO, into, room);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      struct stat st {};
      std::string message = quarvel::ErrorFromErrno(err, kStandardStream).what();
      if (::fstat(STDIN_FILENO, &st) == 0 && !KindOf(st.st_mode).empty()) message += ": it is " + KindOf(st.st_mode);
      throw CliError(kStandardStream, message);
    }
    total += static_cast<std::uint64_t>(n);
  }
  SetFileShape shape;
  shape.Bytes = total;
  const std::size_t kept = total < quarvel::kMaxLevelSetFileSize ? total : quarvel::kMaxLevelSetFileSize;
  shape.LevelSetHeader = IsLevelSetHeader({buffer.get(), kept});
  try {
    shape.LevelsRead = quarvel::ParseLevelSetBytes({buffer.get(), kept}, set);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(kStandardStream, ReadErrorMessage(error, shape));
  }
  return shape;
}

}  // namespace

bool IsLevelSetHeader(std::span<const std::uint8_t> start) {
  return start.size() >= quarvel::kHeaderSize &&
         std::equal(std::begin(quarvel::kLevelSetHeader), std::end(quarvel::kLevelSetHeader), start.begin());
}

std::string FileKind(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return KindOf(st.st_mode);
}

std::string FileErrorMessage(const std::string& path, const std::string& message) {
  const std::string kind = FileKind(path);
  return kind.empty() ? message : message + ": it is " + kind;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

SetFileShape ReadSet(const std::string& file, quarvel::LevelSet& set) {
  quarvel::ClearLevelSet(set);
  if (file == kStandardStream) return ReadStandardInput(set);
  // The reader looks at no more than 256 records; the length tells what lies beyond.
  SetFileShape shape;
  std::uint8_t header[quarvel::kHeaderSize] = {};
  try {
    shape.LevelsRead = quarvel::ReadLevelSetFile(file, set);
    shape.LevelSetHeader = IsLevelSetHeader({header, quarvel::ReadRegularFileStart(file, header)});
  } catch (const quarvel::EInOutError& error) {
    shape.Bytes = LengthOf(file);
    throw CliError(file, FileErrorMessage(file, ReadErrorMessage(error, shape)));
  }
  shape.Bytes = LengthOf(file);
  return shape;
}

}  // namespace quarvel_cli
