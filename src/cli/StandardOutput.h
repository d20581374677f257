#pragma once
// Standard output that fails loudly: every write is checked, so a full disk or a closed
// descriptor ends the program with a message and status 2, while a reader that went away
// (`| head -1`) ends it quietly, as SIGPIPE ends other tools.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace quarvel_cli {

// A write to standard output failed with errno `Errno`.
class OutputFailure : public std::runtime_error {
 public:
  explicit OutputFailure(int err) : std::runtime_error("standard output"), Errno(err) {}
  int Errno;
};

// Run first. A closed standard descriptor is taken by /dev/null opened the wrong way round,
// so that the program's own files never land on 0, 1 or 2 and a write to a closed standard
// output still fails (EBADF). SIGPIPE is ignored so that a closed pipe comes back as EPIPE.
void GuardStandardStreams();

// Writes to standard output, throwing OutputFailure on any failure.
void WriteOut(std::string_view text);
void WriteOut(std::span<const std::uint8_t> bytes);
void FlushOut();

// What an OutputFailure becomes: for EPIPE the program ends by SIGPIPE, quietly; else the
// error line and status 2.
int ReportOutputFailure(const OutputFailure& failure);

}  // namespace quarvel_cli
