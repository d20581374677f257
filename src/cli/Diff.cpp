// quarvel-levels diff: the records added, removed and changed between two sets, each a
// level set file or its text form, with the changed cells shown on the grid. The core
// compares (files/SetComparison.h); here are its two reports, text and JSON.
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
#include "files/HexBytes.h"
#include "files/SetComparison.h"
#include "files/TextForm.h"
#include "model/LevelCheck.h"

namespace quarvel_cli {

namespace {

using quarvel::CellChange;
using quarvel::LevelRecord;
using quarvel::NumberName;
using quarvel::RecordChange;
using quarvel::RecordChangeKind;
using quarvel::SetComparison;
using quarvel::SetImage;

constexpr OptionSpec kOptions[] = {{"--json", 0, false}};
constexpr int kStatusDiffer = 1;

// ---- the text report ----------------------------------------------------------------------

// The text is put together piece by piece in one buffer: a full set's diff is some 370 kB,
// and a temporary string per piece cost more than reading both sets.
void AppendNumber(std::string& out, long long value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendTile(std::string& out, std::int16_t code) {
  const char c = quarvel::TileCharacter(code);
  if (c == quarvel::kOddTile)
    AppendNumber(out, code);
  else
    out += c;
}

// "column,row", from 1.
void AppendPlace(std::string& out, const CellChange& c) {
  AppendNumber(out, c.Column + 1);
  out += ',';
  AppendNumber(out, c.Row + 1);
}

void AppendNumberName(std::string& out, const NumberName& n) {
  const std::string_view name = n.Name;
  out += "  ";
  out += name;
  out.append(name.size() < 10 ? 10 - name.size() : 0, ' ');
}

void AppendGridRow(std::string& out, const LevelRecord& r, int row) {
  for (int column = 0; column < quarvel::kColumns; ++column)
    out += quarvel::TileCharacter(r.Cells[static_cast<std::size_t>(quarvel::CellIndex(column, row))]);
}

// An added or removed record whole: its numbers and its rows.
void AppendRecord(std::string& out, const LevelRecord& r) {
  if (!quarvel::IsLevelUsed(r)) {
    out += "  empty\n";
    return;
  }
  for (const NumberName& n : quarvel::kNumberNames) {
    AppendNumberName(out, n);
    AppendNumber(out, r.*n.Member);
    out += '\n';
  }
  for (int row = 0; row < quarvel::kRows; ++row) {
    out += "  ";
    AppendGridRow(out, r, row);
    out += '\n';
  }
  for (const CellChange& c : quarvel::ChangedCells(LevelRecord{}, r)) {
    if (quarvel::TileCharacter(c.After) != quarvel::kOddTile) continue;
    out += "  cell ";
    AppendPlace(out, c);
    out += " = ";
    AppendNumber(out, c.After);
    out += '\n';
  }
}

void AppendChange(std::string& out, const LevelRecord& a, const LevelRecord& b, const std::vector<CellChange>& cells) {
  for (const NumberName& n : quarvel::kNumberNames) {
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

// "44 41 47 00", or "none" for no bytes.
std::string HexOrNone(std::span<const std::uint8_t> bytes) {
  return bytes.empty() ? "none" : quarvel::HexBytes(bytes, " ");
}

// Writes the report as it goes, in pieces of some 64 kB.
void WriteTextReport(const SetImage& a, const SetImage& b, const SetComparison& comparison) {
  constexpr std::size_t kWriteSize = std::size_t{1} << 16;
  std::string text;
  text.reserve(2 * kWriteSize);
  if (comparison.HeaderChanged)
    text += "header: " + quarvel::HexBytes(a.Header, " ") + " -> " + quarvel::HexBytes(b.Header, " ") + "\n";
  for (const RecordChange& change : comparison.Records) {
    const std::size_t k = change.Index;
    text += quarvel::RecordName(k);
    switch (change.Kind) {
      case RecordChangeKind::Changed:
        text += ": changed\n";
        AppendChange(text, a.Records[k], b.Records[k], change.Cells);
        break;
      case RecordChangeKind::Added:
        text += ": added\n";
        AppendRecord(text, b.Records[k]);
        break;
      case RecordChangeKind::Removed:
        text += ": removed\n";
        AppendRecord(text, a.Records[k]);
        break;
    }
    if (text.size() >= kWriteSize) {
      WriteOut(text);
      text.clear();
    }
  }
  if (comparison.TailChanged) text += "tail: " + HexOrNone(a.Tail) + " -> " + HexOrNone(b.Tail) + "\n";
  WriteOut(text);
  WriteOut(std::to_string(comparison.Changed) + " changed, " + std::to_string(comparison.Added) + " added, " +
           std::to_string(comparison.Removed) + " removed\n");
}

// ---- the JSON report ----------------------------------------------------------------------

// A record whole, as the text shows an added or removed one: its five numbers, whether it
// is empty and can be played, its rows in the text's tiles and the codes of its odd cells.
std::string JsonRecord(const LevelRecord& r) {
  std::string json;
  for (const NumberName& n : quarvel::kNumberNames)
    json += std::string(json.empty() ? "" : ", ") + "\"" + n.Name + "\": " + std::to_string(r.*n.Member);
  json += ", \"empty\": " + std::string(quarvel::IsLevelUsed(r) ? "false" : "true") +
          ", \"playable\": " + (quarvel::IsLevelPlayable(r) ? "true" : "false") + ", \"rows\": [";
  for (int row = 0; row < quarvel::kRows; ++row) {
    std::string line;
    AppendGridRow(line, r, row);
    json += (row == 0 ? "\"" : ", \"") + line + "\"";
  }
  json += "], \"odd_cells\": [";
  bool first = true;
  for (const CellChange& c : quarvel::ChangedCells(LevelRecord{}, r)) {
    if (quarvel::TileCharacter(c.After) != quarvel::kOddTile) continue;
    json += std::string(first ? "" : ", ") + "{\"column\": " + std::to_string(c.Column + 1) +
            ", \"row\": " + std::to_string(c.Row + 1) + ", \"code\": " + std::to_string(c.After) + "}";
    first = false;
  }
  return "{" + json + "]}";
}

std::string JsonChange(const LevelRecord& a, const LevelRecord& b, const std::vector<CellChange>& cells) {
  std::string numbers;
  for (const NumberName& n : quarvel::kNumberNames) {
    if (a.*n.Member == b.*n.Member) continue;
    numbers += std::string(numbers.empty() ? "" : ", ") + "\"" + n.Name +
               "\": {\"before\": " + std::to_string(a.*n.Member) + ", \"after\": " + std::to_string(b.*n.Member) + "}";
  }
  std::string json;
  for (const CellChange& c : cells)
    json += std::string(json.empty() ? "" : ", ") + "{\"column\": " + std::to_string(c.Column + 1) +
            ", \"row\": " + std::to_string(c.Row + 1) + ", \"before\": " + std::to_string(c.Before) +
            ", \"after\": " + std::to_string(c.After) + "}";
  return "\"numbers\": {" + numbers + "}, \"cells\": [" + json +
         "], \"playable\": {\"before\": " + (quarvel::IsLevelPlayable(a) ? "true" : "false") +
         ", \"after\": " + (quarvel::IsLevelPlayable(b) ? "true" : "false") + "}, \"before\": " + JsonRecord(a) +
         ", \"after\": " + JsonRecord(b);
}

std::string JsonReport(const SetImage& a, const SetImage& b, const SetComparison& comparison) {
  std::string items;
  for (const RecordChange& change : comparison.Records) {
    const std::size_t k = change.Index;
    std::string item;
    switch (change.Kind) {
      case RecordChangeKind::Changed:
        item = "\"changed\", " + JsonChange(a.Records[k], b.Records[k], change.Cells);
        break;
      case RecordChangeKind::Added:
        item = "\"added\", \"after\": " + JsonRecord(b.Records[k]);
        break;
      case RecordChangeKind::Removed:
        item = "\"removed\", \"before\": " + JsonRecord(a.Records[k]);
        break;
    }
    items += (items.empty() ? "\n    " : ",\n    ") +
             ("{\"number\": " + std::to_string(k + 1) + ", \"name\": " + JsonString(quarvel::RecordName(k)) +
              ", \"change\": " + item) +
             "}";
  }
  std::string out = "{\"same\": " + std::string(comparison.Same() ? "true" : "false") +
                    ", \"changed\": " + std::to_string(comparison.Changed) +
                    ", \"added\": " + std::to_string(comparison.Added) +
                    ", \"removed\": " + std::to_string(comparison.Removed);
  if (comparison.HeaderChanged)
    out += ", \"header\": {\"before\": \"" + quarvel::HexBytes(a.Header, " ") + "\", \"after\": \"" +
           quarvel::HexBytes(b.Header, " ") + "\"}";
  if (comparison.TailChanged)
    out += ", \"tail\": {\"before\": \"" + quarvel::HexBytes(a.Tail, " ") + "\", \"after\": \"" +
           quarvel::HexBytes(b.Tail, " ") + "\"}";
  return out + ",\n  \"records\": [" + items + (items.empty() ? "]}\n" : "\n  ]}\n");
}

int RunDiff(const ParsedArgs& parsed) {
  const std::string& fileA = parsed.Operands[0];
  const std::string& fileB = parsed.Operands[1];
  if (fileA == kStandardStream && fileB == kStandardStream)
    throw CliError(kStandardStream, "Standard input can be one of the two files, not both");
  const SetImage a = ReadSetImage(fileA, ReadInput(fileA), TextAllowed::Yes);
  const SetImage b = ReadSetImage(fileB, ReadInput(fileB), TextAllowed::Yes);
  const SetComparison comparison = quarvel::CompareSets(a, b);
  if (parsed.Has("--json")) {
    WriteOut(JsonReport(a, b, comparison));
  } else if (!comparison.Same()) {
    WriteTextReport(a, b, comparison);
  }
  return comparison.Same() ? kStatusOk : kStatusDiffer;
}

}  // namespace

extern const Command kDiffCommand{
    .Name = "diff",
    .Brief = "A B [--json]",
    .Summary = "the levels added, removed and changed",
    .Usage = "A B [--json]",
    .Help =
        "The records added, removed and changed from A to B, each a level set file or its text\n"
        "(its first line, after an optional byte-order mark and blank lines, is \"quarvel-levels\n"
        "text 1\"), or - for standard input. For a changed\n"
        "record: its numbers before and after, the cells changed, and the rows before, after and\n"
        "with each changed cell marked *. Prints nothing when they are the same.\n"
        "\n"
        "  --json                         the same as one JSON document; each record added,\n"
        "                                 removed or changed also whole (numbers, empty,\n"
        "                                 playable, rows, odd cells) as before and after\n"
        "\n"
        "Exit status: 0 when A and B hold the same, 1 when they differ, 2 on an error.\n",
    .Options = kOptions,
    .MinOperands = 2,
    .MaxOperands = 2,
    .Missing = {"Two files needed", "Two files needed"},
    .Run = RunDiff,
};

}  // namespace quarvel_cli
