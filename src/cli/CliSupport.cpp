#include "cli/CliSupport.h"

#include <cstdio>
#include <new>

#include "model/LevelCheck.h"

namespace quarvel_cli {

std::string WithFullStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + '.';
  return message;
}

void PrintError(const std::string& subject, const std::string& message) {
  std::fprintf(stderr, "%s: %s: %s\n", kProgram, subject.c_str(), message.c_str());
}

void PrintError(const CliError& error) { PrintError(error.Subject, error.what()); }

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
    } else if (arg.size() == 2) {
      spec = FindShort(options, arg[1]);
    }
    if (spec == nullptr || (inlineValue && !spec->TakesValue)) throw CliError(arg, "Unknown option");
    const std::string name(spec->Long);
    if (!spec->TakesValue) {
      parsed.Flags.insert(name);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) throw CliError(arg, "Value missing");
      value = args[++i];
    }
    parsed.Values[name] = value;
  }
  return parsed;
}

std::int32_t ParseNumber(const std::string& option, const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  bool ok = i < text.size();
  for (; ok && i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') ok = false;
    else value = value * 10 + (text[i] - '0');
    if (value > limit) ok = false;
  }
  if (!ok) throw CliError(option + " " + text, "Invalid numeric input");
  return static_cast<std::int32_t>(negative ? -value : value);
}

bool IsLevelUsed(const quarvel::LevelRecord& level) {
  for (quarvel::TileCode code : level.Cells)
    if (code != 0) return true;
  return level.Rubies != 0 || level.Emeralds != 0 || level.Sapphires != 0 || level.Bombs != 0 || level.Time != 0;
}

LevelFacts FactsOf(const quarvel::LevelSet& set, int index) {
  const quarvel::LevelRecord& level = set[static_cast<std::size_t>(index)];
  LevelFacts facts{};
  facts.Number = index + 1;
  for (quarvel::TileCode code : level.Cells)
    if (code >= quarvel::RedBlock && code <= quarvel::YellowBlock) ++facts.Blocks;
  facts.Demand = std::int32_t{level.Rubies} + level.Emeralds + level.Sapphires + level.Bombs;
  facts.Time = level.Time;
  facts.Playable = quarvel::IsLevelPlayable(set, index);
  facts.TooFewBlocks = facts.Blocks < facts.Demand;
  facts.TimeUnder10 = facts.Time < 10;
  return facts;
}

std::vector<std::string> Reasons(const LevelFacts& facts) {
  std::vector<std::string> reasons;
  if (facts.TooFewBlocks) reasons.emplace_back("too few blocks");
  if (facts.TimeUnder10) reasons.emplace_back("time under 10");
  return reasons;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

int RunReportingErrors(int (*work)(int argc, char** argv), int argc, char** argv) {
  try {
    return work(argc, argv);
  } catch (const CliError& error) {
    PrintError(error);
  } catch (const std::bad_alloc&) {
    PrintError(kProgram, "Out of memory.");
  } catch (const std::exception& error) {
    PrintError(kProgram, WithFullStop(error.what()));
  }
  return kStatusError;
}

}  // namespace quarvel_cli
