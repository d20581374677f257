#pragma once
// The error a failed file operation raises: an I/O result code and its message.

#include <stdexcept>
#include <string>

namespace quarvel {

// "File not found" for 2, "Invalid filename" for 3, ... "I/O error %d" for an unlisted code.
// No trailing full stop: the shell adds one when it shows the message.
std::string InOutErrorMessage(int code);

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int code) : std::runtime_error(InOutErrorMessage(code)), ErrorCode(code) {}
  // A code with a message of its own. Used for a platform error number that happens to equal
  // one of the table's codes (EIO is 5 on Linux): it still reads "I/O error 5", not
  // "File access denied".
  EInOutError(int code, const std::string& message) : std::runtime_error(message), ErrorCode(code) {}
  int ErrorCode;
};

}  // namespace quarvel
