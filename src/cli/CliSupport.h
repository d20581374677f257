#pragma once
// What the subcommands of quarvel-levels share: the error line, the option reader and the
// number rule. No Qt: the main program loads no GUI library.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/InOutError.h"

namespace quarvel_cli {

constexpr int kStatusOk = 0;
constexpr int kStatusNotPlayable = 1;  // check: a level cannot be played (or, with --strict, a warning)
constexpr int kStatusRefused = 1;      // copy: nothing written, as it would copy nothing, drop or move levels
constexpr int kStatusError = 2;

// The program's name in every message.
inline constexpr const char* kProgram = "quarvel-levels";

// A failure reported on one line, "quarvel-levels: SUBJECT: Message.", where the subject is
// the file or the argument concerned, or "quarvel-levels: SUBJECT:PLACE: Message." for a
// place in a file ("12:5", its line and column). Ends the command with status 2.
class CliError : public std::runtime_error {
 public:
  CliError(std::string subject, const std::string& message, std::string place = {})
      : std::runtime_error(quarvel::WithFullStop(message)), Subject(std::move(subject)), Place(std::move(place)) {}
  std::string Subject;
  std::string Place;
};

// Writes the error line to standard error; a subject that is a file name is quoted when it
// could be misread (see ShownName).
void PrintError(const std::string& subject, const std::string& message);
void PrintError(const CliError& error);

// Runs a program's whole work: what it returns is the exit status; an error escaping it
// becomes one line on standard error and the status kStatusError. Standard output is
// flushed and checked before the status is returned (see StandardOutput.h).
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
  // The value of option `name` (its long name), or nothing when it is not given.
  std::optional<std::string> Value(std::string_view name) const;
  // The value of option `name` as a number in min..max (ParseNumberInRange), or `otherwise`
  // when it is not given.
  std::int32_t Number(std::string_view name, std::int32_t min, std::int32_t max, std::int32_t otherwise) const;
};

// Reads options anywhere among the operands, one convention for every command: a long
// option's value follows it as the next word or after "=" ("--size 128", "--size=128"), a
// short option's as the next word or at once ("-s 128", "-s128"). "--" ends the options; a
// lone "-" is an operand or a value. A value may not start with "-" and a letter (it would
// be an option): "--output=-x" gives one. An unknown option or a missing value is a
// CliError naming the option.
ParsedArgs ParseArgs(std::span<char* const> args, std::span<const OptionSpec> options);

// A whole number in decimal, with an optional sign, within 32 bits; anything else is a
// CliError "OPTION TEXT: Invalid numeric input".
std::int32_t ParseNumber(const std::string& option, const std::string& text);

// A number that must lie in min..max: outside it, a CliError
// "OPTION TEXT: Out of range MIN to MAX".
std::int32_t ParseNumberInRange(const std::string& option, const std::string& text, std::int32_t min, std::int32_t max);

// "1 level", "2 levels", "0 levels".
std::string Counted(long long count, std::string_view noun);

// "4", "4-7", "2, 4-7": the numbers, ascending, as ranges.
std::string NumberRanges(const std::vector<int>& numbers);

}  // namespace quarvel_cli
