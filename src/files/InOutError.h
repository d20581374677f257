#pragma once
// The error a failed file operation raises: an I/O result code and its message.

#include <stdexcept>
#include <string>
#include <string_view>

namespace quarvel {

// An I/O result code with a message of its own. Messages carry no trailing full stop: the
// shell adds one when it shows them.
struct InOutCode {
  int Code;
  const char* Message;
};

inline constexpr InOutCode kFileNotFound{2, "File not found"};
inline constexpr InOutCode kInvalidFilename{3, "Invalid filename"};
inline constexpr InOutCode kTooManyOpenFiles{4, "Too many open files"};
inline constexpr InOutCode kFileAccessDenied{5, "File access denied"};
inline constexpr InOutCode kReadBeyondEndOfFile{100, "Read beyond end of file"};
inline constexpr InOutCode kDiskFull{101, "Disk full"};
// Reading a number from text; no file operation of the program gives it.
inline constexpr InOutCode kInvalidNumericInput{106, "Invalid numeric input"};

inline constexpr InOutCode kInOutCodes[] = {kFileNotFound,       kInvalidFilename,     kTooManyOpenFiles,
                                            kFileAccessDenied,   kReadBeyondEndOfFile, kDiskFull,
                                            kInvalidNumericInput};

// An error message as the editor and quarvel-levels show it: a full stop is added unless
// the message is empty or already ends in a character up to '.' (".", "!", ")", ",", "-",
// a space ...). Any byte past ASCII counts as a letter, so UTF-8 text ends with a stop.
std::string WithFullStop(std::string_view message);

// The message of a code above, else "I/O error N".
std::string InOutErrorMessage(int code);
// "I/O error N", whatever N is.
std::string PlatformErrorMessage(int err);

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(const InOutCode& code) : std::runtime_error(code.Message), ErrorCode(code.Code) {}
  explicit EInOutError(int code) : std::runtime_error(InOutErrorMessage(code)), ErrorCode(code) {}
  // A platform error number, read as "I/O error N" even where it equals one of the codes
  // above (EIO is 5 on Linux): it is not "File access denied".
  static EInOutError FromPlatform(int err) { return EInOutError(err, PlatformErrorMessage(err)); }
  // The same code, its message followed by `more` ("Disk full" + "; the temporary file ...").
  EInOutError WithMore(std::string_view more) const { return EInOutError(ErrorCode, what() + std::string(more)); }

  int ErrorCode;

 private:
  EInOutError(int code, const std::string& message) : std::runtime_error(message), ErrorCode(code) {}
};

}  // namespace quarvel
