#pragma once
// Where the commands write: standard output, or a file replaced safely, as the editor
// saves. One rule for every command that writes a file: it replaces only a file of the
// kind it writes itself (a level set, a set's text, a PNG) or an empty one, never a file
// of another kind, and never one of its inputs under any name; --force lets it replace a
// file of another kind. A FIFO, a device or a folder is never written. What a file holds
// is the files layer's to tell (files/ContentKind.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "files/ContentKind.h"

namespace quarvel_cli {

// The options of every command that writes a file: where to, and whether a file of another
// kind may be replaced.
inline constexpr OptionSpec kOutputOption{"--output", 'o', true};
inline constexpr OptionSpec kForceOption{"--force", 0, false};

// OUT as given by -o or --output, or nothing when neither is given.
std::optional<std::string> GivenOutput(const ParsedArgs& parsed);

struct OutputRule {
  quarvel::ContentKind Writes;      // LevelSet, Text or Png
  std::vector<std::string> Inputs;  // "-" for standard input, which no file is
  bool Force = false;               // --force: a file of another kind may be replaced
};

// The rule for a command that writes `kind` from `inputs`, with --force as given.
OutputRule RuleOfOutput(const ParsedArgs& parsed, quarvel::ContentKind kind, std::vector<std::string> inputs);

// Throws a CliError, before anything is read or drawn, when OUT may not be written: one of
// the inputs, no regular file, a file of another kind (unless forced), a missing folder.
// "-" (standard output) is always taken.
void CheckOutput(const std::string& out, const OutputRule& rule);

// Writes `bytes` to OUT, "-" for standard output, after CheckOutput.
void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const OutputRule& rule);

}  // namespace quarvel_cli
