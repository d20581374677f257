// quarvel-levels diff: the records added, removed and changed between two sets, each a
// level set file or its text form, with the changed cells shown on the grid.
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/Playability.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "cli/TextFiles.h"
#include "files/HexBytes.h"
#include "files/TextForm.h"
#include "model/LevelCheck.h"

namespace quarvel_cli {

namespace {

using quarvel::kNumberNames;
using quarvel::kOddTile;
using quarvel::LevelRecord;
using quarvel::NumberName;
using quarvel::RecordName;
using quarvel::SetImage;
using quarvel::TextFormError;
using quarvel::TileCharacter;

constexpr OptionSpec kOptions[] = {{"--json", 0, false}};
constexpr int kStatusDiffer = 1;

struct CellChange {
  int Column, Row;  // from 1
  std::int16_t Before, After;
};

std::vector<CellChange> ChangedCells(const LevelRecord& a, const LevelRecord& b) {
  std::vector<CellChange> changes;
  for (int row = 0; row < quarvel::kRows; ++row)
    for (int column = 0; column < quarvel::kColumns; ++column) {
      const auto i = static_cast<std::size_t>(quarvel::CellIndex(column, row));
      if (a.Cells[i] != b.Cells[i]) changes.push_back({column + 1, row + 1, a.Cells[i], b.Cells[i]});
    }
  return changes;
}

// The text is put together piece by piece in one buffer: a full set's diff is some 370 kB,
// and a temporary string per piece cost more than reading both sets.
void AppendNumber(std::string& out, long long value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendTile(std::string& out, std::int16_t code) {
  const char c = TileCharacter(code);
  if (c == kOddTile)
    AppendNumber(out, code);
  else
    out += c;
}

// "column,row", from 1.
void AppendPlace(std::string& out, const CellChange& c) {
  AppendNumber(out, c.Column);
  out += ',';
  AppendNumber(out, c.Row);
}

void AppendNumberName(std::string& out, const NumberName& n) {
  const std::string_view name = n.Name;
  out += "  ";
  out += name;
  out.append(name.size() < 10 ? 10 - name.size() : 0, ' ');
}

void AppendGridRow(std::string& out, const LevelRecord& r, int row) {
  for (int column = 0; column < quarvel::kColumns; ++column)
    out += TileCharacter(r.Cells[static_cast<std::size_t>(quarvel::CellIndex(column, row))]);
}

// An added or removed record whole: its numbers and its rows.
void AppendRecord(std::string& out, const LevelRecord& r) {
  if (!quarvel::IsLevelUsed(r)) {
    out += "  empty\n";
    return;
  }
  for (const NumberName& n : kNumberNames) {
    AppendNumberName(out, n);
    AppendNumber(out, r.*n.Member);
    out += '\n';
  }
  for (int row = 0; row < quarvel::kRows; ++row) {
    out += "  ";
    AppendGridRow(out, r, row);
    out += '\n';
  }
  for (const CellChange& c : ChangedCells(LevelRecord{}, r)) {
    if (TileCharacter(c.After) != kOddTile) continue;
    out += "  cell ";
    AppendPlace(out, c);
    out += " = ";
    AppendNumber(out, c.After);
    out += '\n';
  }
}

void AppendChange(std::string& out, const LevelRecord& a, const LevelRecord& b) {
  for (const NumberName& n : kNumberNames) {
    AppendNumberName(out, n);
    AppendNumber(out, a.*n.Member);
    if (a.*n.Member != b.*n.Member) {
      out += " -> ";
      AppendNumber(out, b.*n.Member);
    }
    out += '\n';
  }
  const bool playableA = quarvel::IsLevelPlayable(a), playableB = quarvel::IsLevelPlayable(b);
  if (playableA != playableB) {
    out += "  ";
    out += PlayableWord(playableA);
    out += " -> ";
    out += PlayableWord(playableB);
    out += '\n';
  }
  const std::vector<CellChange> cells = ChangedCells(a, b);
  if (cells.empty()) return;
  out += "  ";
  out += Counted(static_cast<long long>(cells.size()), "cell");
  out += " changed:";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const CellChange& c = cells[i];
    out += i == 0 ? " " : "; ";
    AppendPlace(out, c);
    out += ' ';
    AppendTile(out, c.Before);
    out += " -> ";
    AppendTile(out, c.After);
  }
  out += "\n  before       after        changed\n";
  for (int row = 0; row < quarvel::kRows; ++row) {
    out += "  ";
    AppendGridRow(out, a, row);
    out += "  ";
    AppendGridRow(out, b, row);
    out += "  ";
    for (int column = 0; column < quarvel::kColumns; ++column) {
      const auto i = static_cast<std::size_t>(quarvel::CellIndex(column, row));
      out += a.Cells[i] != b.Cells[i] ? '*' : '.';
    }
    out += '\n';
  }
}

std::string JsonNumbers(const LevelRecord& r) {
  std::string json;
  for (const NumberName& n : kNumberNames)
    json += std::string(json.empty() ? "" : ", ") + "\"" + n.Name + "\": " + std::to_string(r.*n.Member);
  return "{" + json + "}";
}

std::string JsonChange(const LevelRecord& a, const LevelRecord& b) {
  std::string numbers;
  for (const NumberName& n : kNumberNames) {
    if (a.*n.Member == b.*n.Member) continue;
    numbers += std::string(numbers.empty() ? "" : ", ") + "\"" + n.Name +
               "\": {\"before\": " + std::to_string(a.*n.Member) + ", \"after\": " + std::to_string(b.*n.Member) + "}";
  }
  std::string cells;
  for (const CellChange& c : ChangedCells(a, b))
    cells += std::string(cells.empty() ? "" : ", ") + "{\"column\": " + std::to_string(c.Column) +
             ", \"row\": " + std::to_string(c.Row) + ", \"before\": " + std::to_string(c.Before) +
             ", \"after\": " + std::to_string(c.After) + "}";
  return "\"numbers\": {" + numbers + "}, \"cells\": [" + cells +
         "], \"playable\": {\"before\": " + (quarvel::IsLevelPlayable(a) ? "true" : "false") +
         ", \"after\": " + (quarvel::IsLevelPlayable(b) ? "true" : "false") + "}";
}

std::string Hex(std::span<const std::uint8_t> bytes) { return quarvel::HexBytes(bytes, " "); }

// Reads one side; a text that is not the text form is reported here, with its line.
bool ReadSide(const std::string& file, SetImage& image) {
  try {
    image = ReadSetImage(file, ReadWholeFile(file), TextAllowed::Yes);
    return true;
  } catch (const TextFormError& error) {
    PrintTextFormError(file, error);
    return false;
  }
}

}  // namespace

int RunDiff(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.size() < 2) throw CliError("diff", "Two files needed");
  if (parsed.Operands.size() > 2) throw CliError(parsed.Operands[2], "Unexpected argument");
  const std::string& fileA = parsed.Operands[0];
  const std::string& fileB = parsed.Operands[1];
  if (fileA == kStandardStream && fileB == kStandardStream)
    throw CliError(kStandardStream, "Standard input can be one of the two files, not both");
  SetImage a, b;
  if (!ReadSide(fileA, a) || !ReadSide(fileB, b)) return kStatusError;
  const bool json = parsed.Has("--json");

  std::string jsonItems, text;
  int changed = 0, added = 0, removed = 0;
  // The text goes out in pieces of some 64 kB; nothing at all when the two are the same.
  constexpr std::size_t kWriteSize = std::size_t{1} << 16;
  text.reserve(2 * kWriteSize);
  if (a.Header != b.Header && !json) text += "header: " + Hex(a.Header) + " -> " + Hex(b.Header) + "\n";
  const std::size_t records = std::max(a.Records.size(), b.Records.size());
  for (std::size_t k = 0; k < records; ++k) {
    const bool inA = k < a.Records.size(), inB = k < b.Records.size();
    const std::string name = RecordName(k);
    // Only the form asked for is put together: a full set's JSON and text are each large.
    std::string item;
    if (inA && inB) {
      if (a.Records[k] == b.Records[k]) continue;
      ++changed;
      if (json) {
        item = "\"changed\", " + JsonChange(a.Records[k], b.Records[k]);
      } else {
        text += name;
        text += ": changed\n";
        AppendChange(text, a.Records[k], b.Records[k]);
      }
    } else if (inB) {
      ++added;
      if (json) {
        item = "\"added\", \"after\": " + JsonNumbers(b.Records[k]);
      } else {
        text += name;
        text += ": added\n";
        AppendRecord(text, b.Records[k]);
      }
    } else {
      ++removed;
      if (json) {
        item = "\"removed\", \"before\": " + JsonNumbers(a.Records[k]);
      } else {
        text += name;
        text += ": removed\n";
        AppendRecord(text, a.Records[k]);
      }
    }
    if (!json) {
      if (text.size() >= kWriteSize) {
        WriteOut(text);
        text.clear();
      }
      continue;
    }
    item = "{\"number\": " + std::to_string(k + 1) + ", \"name\": " + JsonString(name) + ", \"change\": " + item;
    jsonItems += (jsonItems.empty() ? "\n    " : ",\n    ") + item + "}";
  }
  if (a.Tail != b.Tail && !json)
    text +=
        ("tail: " + (a.Tail.empty() ? "none" : Hex(a.Tail)) + " -> " + (b.Tail.empty() ? "none" : Hex(b.Tail)) + "\n");
  const bool same = a == b;
  if (json) {
    std::string out = "{\"same\": " + std::string(same ? "true" : "false") +
                      ", \"changed\": " + std::to_string(changed) + ", \"added\": " + std::to_string(added) +
                      ", \"removed\": " + std::to_string(removed);
    if (a.Header != b.Header)
      out += ", \"header\": {\"before\": \"" + Hex(a.Header) + "\", \"after\": \"" + Hex(b.Header) + "\"}";
    if (a.Tail != b.Tail)
      out += ", \"tail\": {\"before\": \"" + Hex(a.Tail) + "\", \"after\": \"" + Hex(b.Tail) + "\"}";
    WriteOut(out + ",\n  \"records\": [" + jsonItems + (jsonItems.empty() ? "]}\n" : "\n  ]}\n"));
  } else if (!same) {
    WriteOut(text);
    WriteOut(std::to_string(changed) + " changed, " + std::to_string(added) + " added, " + std::to_string(removed) +
             " removed\n");
  }
  return same ? kStatusOk : kStatusDiffer;
}

}  // namespace quarvel_cli
