#pragma once
// What the subcommands of quarvel-levels share: the error line, the option reader, the
// number rule and the facts `check` reports about a level. No Qt: the main program loads
// no GUI library.

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/LevelSet.h"

namespace quarvel_cli {

constexpr int kStatusOk = 0;
constexpr int kStatusNotPlayable = 1;
constexpr int kStatusError = 2;

// The program's name in every message.
inline constexpr const char* kProgram = "quarvel-levels";

// The message as the editor shows it: a full stop is added unless the message is empty or
// already ends in a character up to '.' ("!", ")", a space ...).
std::string WithFullStop(const std::string& message);

// A failure reported on one line, "quarvel-levels: SUBJECT: Message.", where the subject is
// the file or the argument concerned. Ends the command with status 2.
class CliError : public std::runtime_error {
 public:
  CliError(std::string subject, const std::string& message)
      : std::runtime_error(WithFullStop(message)), Subject(std::move(subject)) {}
  std::string Subject;
};

// Writes the error line to standard error.
void PrintError(const std::string& subject, const std::string& message);
void PrintError(const CliError& error);

// Runs a program's whole work: what it returns is the exit status; an error escaping it
// becomes one line on standard error and the status kStatusError.
int RunReportingErrors(int (*work)(int argc, char** argv), int argc, char** argv);

struct OptionSpec {
  std::string_view Long;  // "--level"
  char Short;             // 'o', or 0 for none
  bool TakesValue;
};

struct ParsedArgs {
  std::vector<std::string> Operands;
  std::map<std::string, std::string> Values;  // by long name, the last one given wins
  std::set<std::string> Flags;                // long names
  bool Has(std::string_view name) const { return Flags.count(std::string(name)) != 0; }
};

// Reads options anywhere among the operands: "--name VALUE", "--name=VALUE", "-o VALUE";
// "--" ends the options; a lone "-" is an operand. An unknown option or a missing value is
// a CliError naming the option.
ParsedArgs ParseArgs(std::span<char* const> args, std::span<const OptionSpec> options);

// A whole number in decimal, with an optional sign, within 32 bits; anything else is a
// CliError "OPTION TEXT: Invalid numeric input".
std::int32_t ParseNumber(const std::string& option, const std::string& text);

// A level is used when any cell or number is not 0.
bool IsLevelUsed(const quarvel::LevelRecord& level);

struct LevelFacts {
  int Number;          // 1-based
  int Blocks;          // cells with codes 1..4
  std::int32_t Demand; // rubies + emeralds + sapphires + bombs
  int Time;
  bool Playable;       // quarvel::IsLevelPlayable
  bool TooFewBlocks;   // Blocks < Demand
  bool TimeUnder10;    // Time < 10
};

LevelFacts FactsOf(const quarvel::LevelSet& set, int index);

// The reasons a level cannot be played, as `check` writes them: "too few blocks",
// "time under 10", in that order.
std::vector<std::string> Reasons(const LevelFacts& facts);

// The text of a JSON string, quotes included.
std::string JsonString(std::string_view text);

// The help of the whole program (command empty) or of one command; empty for an unknown one.
std::string HelpText(std::string_view command);

}  // namespace quarvel_cli
