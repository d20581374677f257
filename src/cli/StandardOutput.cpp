#include "cli/StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliSupport.h"
#include "files/PosixFiles.h"

namespace quarvel_cli {

void GuardStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // Read-only for 1 and 2, write-only for 0: any use of it fails as the closed one did.
    const int taken = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (taken != fd && taken >= 0) ::close(taken);
  }
  std::signal(SIGPIPE, SIG_IGN);
}

void WriteOut(std::string_view text) {
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) throw OutputFailure(errno);
}

void WriteOut(std::span<const std::uint8_t> bytes) {
  WriteOut(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void FlushOut() {
  if (std::fflush(stdout) != 0) throw OutputFailure(errno);
  if (std::ferror(stdout)) throw OutputFailure(EIO);
}

int ReportOutputFailure(const OutputFailure& failure) {
  if (failure.Errno == EPIPE) {
    std::signal(SIGPIPE, SIG_DFL);
    std::raise(SIGPIPE);
  }
  // The editor's message for the code, and the system's words when the code is not one of
  // the editor's own (a closed descriptor is "I/O error 9").
  const quarvel::EInOutError error = quarvel::ErrorFromErrno(failure.Errno, "-");
  std::string message = quarvel::WithFullStop(error.what());
  if (message.starts_with("I/O error"))
    message = error.what() + (" (" + std::string(std::strerror(failure.Errno)) + ").");
  PrintError("standard output", message);
  return kStatusError;
}

}  // namespace quarvel_cli
