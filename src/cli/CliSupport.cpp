#include "cli/CliSupport.h"

#include <cstdio>
#include <new>

#include "cli/FileNames.h"
#include "cli/StandardOutput.h"

namespace quarvel_cli {

void PrintError(const std::string& subject, const std::string& message) {
  // Whatever was written to standard output comes first, as it would on a terminal.
  FlushOutBeforeError();
  WriteErr(std::string(kProgram) + ": " + ShownName(subject) + ": " + message + "\n");
}

void PrintError(const CliError& error) {
  if (error.Place.empty()) return PrintError(error.Subject, error.what());
  FlushOutBeforeError();
  WriteErr(std::string(kProgram) + ": " + ShownName(error.Subject) + ":" + error.Place + ": " + error.what() + "\n");
}

namespace {

const OptionSpec* FindLong(std::span<const OptionSpec> options, std::string_view name) {
  for (const OptionSpec& o : options)
    if (o.Long == name) return &o;
  return nullptr;
}

const OptionSpec* FindShort(std::span<const OptionSpec> options, char name) {
  for (const OptionSpec& o : options)
    if (o.Short != 0 && o.Short == name) return &o;
  return nullptr;
}

}  // namespace

ParsedArgs ParseArgs(std::span<char* const> args, std::span<const OptionSpec> options) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.Operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* spec = nullptr;
    std::string value;
    bool inlineValue = false;
    if (arg[1] == '-') {
      const auto equals = arg.find('=');
      spec = FindLong(options, std::string_view(arg).substr(0, equals));
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
        inlineValue = true;
      }
    } else {
      // "-s 128" or "-s128", as getopt takes them.
      spec = FindShort(options, arg[1]);
      if (arg.size() > 2) {
        if (spec == nullptr || !spec->TakesValue) throw CliError(arg, "Unknown option");
        value = arg.substr(2);
        inlineValue = true;
      }
    }
    if (spec == nullptr || (inlineValue && !spec->TakesValue)) throw CliError(arg, "Unknown option");
    const std::string name(spec->Long);
    if (!spec->TakesValue) {
      parsed.Flags.insert(name);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) throw CliError(arg, "Value missing");
      // An option where the value should be means the value was left out: "-" and "-5"
      // are values, "--dry-run" and "-o" are not ("--output=-x" gives such a value).
      const std::string_view next = args[i + 1];
      if (next.size() > 1 && next[0] == '-' && !(next[1] >= '0' && next[1] <= '9'))
        throw CliError(arg, "Value missing: " + std::string(next) + " is an option, not the value of " + arg);
      value = args[++i];
    }
    parsed.Values[name] = value;
  }
  return parsed;
}

std::optional<std::string> ParsedArgs::Value(std::string_view name) const {
  const auto found = Values.find(std::string(name));
  if (found == Values.end()) return std::nullopt;
  return found->second;
}

std::int32_t ParsedArgs::Number(std::string_view name, std::int32_t min, std::int32_t max,
                                std::int32_t otherwise) const {
  const std::optional<std::string> value = Value(name);
  return value ? ParseNumberInRange(std::string(name), *value, min, max) : otherwise;
}

std::int32_t ParseNumber(const std::string& option, const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  bool ok = i < text.size();
  for (; ok && i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      ok = false;
    else
      value = value * 10 + (text[i] - '0');
    if (value > limit) ok = false;
  }
  if (!ok) throw CliError(option + " " + text, "Invalid numeric input");
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t ParseNumberInRange(const std::string& option, const std::string& text, std::int32_t min,
                                std::int32_t max) {
  const std::int32_t value = ParseNumber(option, text);
  if (value < min || value > max)
    throw CliError(option + " " + text, "Out of range " + std::to_string(min) + " to " + std::to_string(max));
  return value;
}

std::string Counted(long long count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string NumberRanges(const std::vector<int>& numbers) {
  std::string out;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in "-" + std::string.
    if (!out.empty()) out += ", ";
    out += std::to_string(numbers[i]);
    if (j > i) {
      out += '-';
      out += std::to_string(numbers[j]);
    }
    i = j + 1;
  }
  return out;
}

int RunReportingErrors(int (*work)(int argc, char** argv), int argc, char** argv) {
  GuardStandardStreams();
  try {
    const int status = work(argc, argv);
    FlushOut();
    return status;
  } catch (const OutputFailure& failure) {
    return ReportOutputFailure(failure);
  } catch (const CliError& error) {
    PrintError(error);
  } catch (const std::bad_alloc&) {
    PrintError(kProgram, "Out of memory.");
  } catch (const std::exception& error) {
    PrintError(kProgram, quarvel::WithFullStop(error.what()));
  }
  return kStatusError;
}

}  // namespace quarvel_cli
