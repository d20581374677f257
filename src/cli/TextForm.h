#pragma once
// The text form of a level set file: everything the file holds (its header, every record
// it has, in order, and any bytes after the last whole record), written so that a person
// can read and edit it and `import` gives back the very same bytes. Plain C++ over the
// file's bytes and quarvel::LevelRecord; no Qt, no files.
//
//   quarvel-levels text 1
//
//   level 1
//   rubies    2
//   emeralds  0
//   sapphires 1
//   bombs     0
//   time      120
//   ...........  1    13 rows of 11 tiles and the row's number: . empty, R G B Y red
//   .RRB....#..  2    green blue yellow block, # grey block, ^ > v < cannons, ? any
//   ...                other code, given after the rows as "cell COLUMN,ROW = CODE"
//
//   level 2 empty      a record of zeros among the others
//   record 257         a record past the 256th, which the editor never reads
//   header 00 00 00 00 only when the header is not 44 41 47 00
//   tail 5a 5a         bytes after the last whole record (only past 256 records)

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/LevelSet.h"
#include "model/Tiles.h"

namespace quarvel_cli {

// What a level set file holds, byte for byte.
struct SetImage {
  std::array<std::uint8_t, 4> Header{0x44, 0x41, 0x47, 0x00};
  std::vector<quarvel::LevelRecord> Records;
  std::vector<std::uint8_t> Tail;  // only after 256 records or more: else the reader refuses it
  bool operator==(const SetImage&) const = default;
};

// The first line of the text form; a file that starts with it is read as text.
inline constexpr std::string_view kTextFormLine = "quarvel-levels text 1";

// The file's bytes as the editor's reader takes them: throws quarvel::EInOutError
// (kReadBeyondEndOfFile) for bytes it refuses.
SetImage DecodeSetBytes(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeSetBytes(const SetImage& image);

std::string WriteTextForm(const SetImage& image);

// A text that is not the text form: where (from 1, columns in characters) and what.
class TextFormError : public std::runtime_error {
 public:
  TextFormError(int line, int column, const std::string& message)
      : std::runtime_error(message), Line(line), Column(column) {}
  int Line;
  int Column;
};

// Strict, but takes what a hand edit leaves: CRLF line ends, trailing spaces and tabs,
// runs of blanks between a name and its number, blank lines between records, no newline
// at the end.
SetImage ParseTextForm(std::string_view text);

bool LooksLikeTextForm(std::span<const std::uint8_t> bytes);

// The five numbers of a level by name, in the order of the record and of the editor's fields.
struct NumberField {
  const char* Name;
  std::int16_t quarvel::LevelRecord::*Member;
};
inline constexpr NumberField kNumberFields[] = {{"rubies", &quarvel::LevelRecord::Rubies},
                                                {"emeralds", &quarvel::LevelRecord::Emeralds},
                                                {"sapphires", &quarvel::LevelRecord::Sapphires},
                                                {"bombs", &quarvel::LevelRecord::Bombs},
                                                {"time", &quarvel::LevelRecord::Time}};

// Shared by the text form and the diff: a tile's character in the rows (model/Tiles.h),
// kOddTile for a code outside 0 to 9.
inline constexpr char kOddTile = '?';
inline char TileCharacter(std::int16_t code) {
  const quarvel::TileKind* tile = quarvel::FindTile(code);
  return tile != nullptr ? tile->Character : kOddTile;
}
std::string RecordName(std::size_t index);  // "level 3", "record 257"

}  // namespace quarvel_cli
