#include "cli/StandardOutput.h"

#include <cstring>
#include <optional>
#include <string>

#include "cli/CliSupport.h"

namespace quarvel_cli {

namespace {

// Written bytes wait here until there are enough of them for one large write.
constexpr std::size_t kBufferSize = std::size_t{1} << 16;

struct Buffer {
  std::string Pending;
  std::optional<OutputFailure> Failed;  // a flush before an error line that failed
};

Buffer& Out() {
  static Buffer buffer;
  return buffer;
}

void Send(std::string_view bytes) {
  quarvel::WriteStandardOutput({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

void SendPending() {
  Buffer& out = Out();
  if (out.Pending.empty()) return;
  // Sent or failed, the bytes are gone: a failure is never written again.
  struct Emptied {
    std::string& Bytes;
    ~Emptied() { Bytes.clear(); }
  } emptied{out.Pending};
  Send(out.Pending);
}

}  // namespace

void GuardStandardStreams() { quarvel::PrepareStandardStreams(); }

void WriteErr(std::string_view text) {
  quarvel::WriteStandardError({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void WriteOut(std::string_view text) {
  Buffer& out = Out();
  if (out.Pending.size() + text.size() <= kBufferSize) {
    if (out.Pending.capacity() < kBufferSize) out.Pending.reserve(kBufferSize);
    out.Pending.append(text);
    return;
  }
  SendPending();
  if (text.size() >= kBufferSize) {
    Send(text);
  } else {
    out.Pending.append(text);
  }
}

void WriteOut(std::span<const std::uint8_t> bytes) {
  WriteOut(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void FlushOut() {
  Buffer& out = Out();
  if (out.Failed) {
    const OutputFailure failed = std::move(*out.Failed);
    out.Failed.reset();
    throw failed;
  }
  SendPending();
}

void FlushOutBeforeError() {
  Buffer& out = Out();
  try {
    SendPending();
  } catch (const OutputFailure& failure) {
    if (!out.Failed) out.Failed = failure;
  }
}

int ReportOutputFailure(const OutputFailure& failure) {
  if (failure.BrokenPipe) quarvel::EndForBrokenPipe();
  // The editor's message for the code, and the system's words when the code is not one of
  // the editor's own (a closed descriptor is "I/O error 9 (Bad file descriptor).").
  std::string message = quarvel::WithFullStop(failure.Error.what());
  if (message.starts_with("I/O error") && !failure.SystemMessage.empty())
    message = failure.Error.what() + (" (" + failure.SystemMessage + ").");
  PrintError("standard output", message);
  return kStatusError;
}

}  // namespace quarvel_cli
