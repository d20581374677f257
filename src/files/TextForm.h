#pragma once
// The text form of a level set file: everything the file holds (its header, every record
// it has, in order, and any bytes after the last whole record), written so that a person
// can read and edit it and the very same bytes come back from it. A file format beside the
// .dag one, over SetImage (files/LevelSetBytes.h); it reads and writes text, no files.
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

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "files/LevelSetBytes.h"
#include "model/LevelSet.h"
#include "model/Tiles.h"

namespace quarvel {

// The first line of the text form.
inline constexpr std::string_view kTextFormLine = "quarvel-levels text 1";

std::string WriteTextForm(const SetImage& image);

// A text that is not the text form: where (from 1, columns in characters) and what.
class TextFormError : public std::runtime_error {
 public:
  TextFormError(int line, int column, const std::string& message)
      : std::runtime_error(message), Line(line), Column(column) {}
  int Line;
  int Column;
};

// Strict, but takes what a hand edit leaves: a UTF-8 byte-order mark, blank lines before
// the first line, CRLF line ends, trailing spaces and tabs, runs of blanks between a name
// and its number, blank lines between records, no newline at the end.
SetImage ParseTextForm(std::string_view text);

// How a file is known, by its first bytes alone, for every command that reads one: the
// level set header 44 41 47 00 makes a level set; the text form's first line, after an
// optional UTF-8 byte-order mark and blank lines, makes text ("quarvel-levels text" with
// any version: a version this program does not read is an error at its line). Anything
// else is `Other`: a level set with another header, as the editor's reader takes any four
// bytes, or neither a set nor its text.
enum class SetFileForm { LevelSet, Text, Other };
SetFileForm FormOfSetFile(std::span<const std::uint8_t> bytes);

// What a reader says of an `Other` file it cannot read: "Neither a level set nor its
// text: ...".
std::string NeitherSetNorText();

// The five numbers of a level by their names in the text, in the order of the record and
// of the editor's fields.
struct NumberName {
  const char* Name;
  std::int16_t LevelRecord::*Member;
};
inline constexpr NumberName kNumberNames[] = {{"rubies", &LevelRecord::Rubies},
                                              {"emeralds", &LevelRecord::Emeralds},
                                              {"sapphires", &LevelRecord::Sapphires},
                                              {"bombs", &LevelRecord::Bombs},
                                              {"time", &LevelRecord::Time}};

// A tile's character in the rows (model/Tiles.h), kOddTile for a code outside 0 to 9.
inline constexpr char kOddTile = '?';
inline char TileCharacter(std::int16_t code) {
  const TileKind* tile = FindTile(code);
  return tile != nullptr ? tile->Character : kOddTile;
}

// "level 3" for one of the 256 levels, "record 257" past them.
std::string RecordName(std::size_t index);

}  // namespace quarvel
