#pragma once
// Standard output that fails loudly: every write is checked, so a full disk or a closed
// descriptor ends the program with a message and status 2, while a reader that went away
// (`| head -1`) ends it quietly, as SIGPIPE ends other tools. What the commands write is
// gathered in a buffer of the program's own and goes out through the door to the system
// (files/SystemFiles.h) in large pieces.

#include <cstdint>
#include <span>
#include <string_view>

#include "files/SystemFiles.h"

namespace quarvel_cli {

// A write to standard output failed: thrown by WriteOut and FlushOut.
using OutputFailure = quarvel::StandardOutputError;

// Run first: the standard streams in binary, a closed one taken so that a write to it
// still fails, a reader that went away a write error (quarvel::PrepareStandardStreams).
void GuardStandardStreams();

// Writes to standard output, throwing OutputFailure on any failure.
void WriteOut(std::string_view text);
void WriteOut(std::span<const std::uint8_t> bytes);
void FlushOut();

// Before a line on standard error: what was written to standard output goes out first, as
// it would on a terminal. A failure here is kept for FlushOut to throw.
void FlushOutBeforeError();

// Writes to standard error at once (quarvel::WriteStandardError): no failure is told.
void WriteErr(std::string_view text);

// What an OutputFailure becomes: for a reader that went away the program ends quietly (by
// SIGPIPE on POSIX); else the error line and status 2.
int ReportOutputFailure(const OutputFailure& failure);

}  // namespace quarvel_cli
