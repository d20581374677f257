#include "files/TextForm.h"

#include <algorithm>
#include <array>
#include <concepts>
#include <cstdio>

#include "files/DagFormat.h"
#include "files/HexBytes.h"
#include "files/Utf8.h"
#include "model/LevelCheck.h"

namespace quarvel {

namespace {

constexpr char kHeaderWord[] = "header";
// What a first line may hold to be quoted whole when it is not the text form's.
constexpr char kTextFormLineCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_";
constexpr char kTailWord[] = "tail";

// Tile codes by character, -1 for a character that is no tile: a look-up per cell, as a
// full set's text holds 36,608 of them.
constexpr std::array<std::int8_t, 256> kCodesByCharacter = [] {
  std::array<std::int8_t, 256> codes{};
  codes.fill(-1);
  for (const TileKind& tile : kTiles)
    codes[static_cast<unsigned char>(tile.Character)] = static_cast<std::int8_t>(tile.Code);
  return codes;
}();

int CodeOfCharacter(char c) { return kCodesByCharacter[static_cast<unsigned char>(c)]; }

// " 44 41 47 00": each byte after a blank, as a header or tail line lists them.
std::string ListedBytes(std::span<const std::uint8_t> bytes) {
  std::string listed;
  // Appended, not " " + std::string: GCC 12 at -O3 sees a false overlap in that.
  if (!bytes.empty()) listed += ' ';
  listed += HexBytes(bytes, " ");
  return listed;
}

// "one of . R G B Y # ^ > v < ?": what a row's tile may be.
std::string TileChoices() {
  std::string choices = "one of";
  for (const TileKind& tile : kTiles) {
    choices += ' ';
    choices += tile.Character;
  }
  choices += ' ';
  return choices + kOddTile;
}

}  // namespace

std::string RecordName(std::size_t index) {
  return (index < kLevelCount ? "level " : "record ") + std::to_string(index + 1);
}

std::string WriteTextForm(const SetImage& image) {
  std::string text(kTextFormLine);
  text += '\n';
  text.reserve(image.Records.size() * 240 + 64);
  if (image.Header != SetImage{}.Header) text += kHeaderWord + ListedBytes(image.Header) + "\n";
  for (std::size_t k = 0; k < image.Records.size(); ++k) {
    const LevelRecord& r = image.Records[k];
    text += "\n" + RecordName(k);
    if (!IsLevelUsed(r)) {
      text += " empty\n";
      continue;
    }
    text += '\n';
    for (const NumberName& n : kNumberNames) {
      std::string line = n.Name;
      line.resize(10, ' ');
      text += line + std::to_string(r.*n.Member) + "\n";
    }
    std::string odd;
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        const std::int16_t code = r.Cells[static_cast<std::size_t>(CellIndex(column, row))];
        text += TileCharacter(code);
        if (TileCharacter(code) == kOddTile)
          odd += "cell " + std::to_string(column + 1) + "," + std::to_string(row + 1) + " = " + std::to_string(code) +
                 "\n";
      }
      // The row's number makes each row of a level a line of its own: a line diff would
      // otherwise pair a changed row with any of the empty rows that look alike.
      text += (row < 9 ? "  " : " ") + std::to_string(row + 1) + "\n";
    }
    text += odd;
  }
  if (!image.Tail.empty()) text += std::string("\n") + kTailWord + ListedBytes(image.Tail) + "\n";
  return text;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The text form's first line up to its version.
constexpr std::string_view kTextFormWords = kTextFormLine.substr(0, kTextFormLine.rfind(' ') + 1);

// The text without a byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

}  // namespace

SetFileForm FormOfSetFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= kHeaderSize && std::equal(kLevelSetHeader, kLevelSetHeader + kHeaderSize, bytes.begin()))
    return SetFileForm::LevelSet;
  std::string_view text = WithoutByteOrderMark({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return SetFileForm::Other;
  // Blank lines may come first, but no blank starts the first line.
  const std::size_t lineStart = text.rfind('\n', first);
  if (lineStart == std::string_view::npos ? first != 0 : first != lineStart + 1) return SetFileForm::Other;
  return text.substr(first).starts_with(kTextFormWords) ? SetFileForm::Text : SetFileForm::Other;
}

std::string NeitherSetNorText() {
  return "Neither a level set nor its text: it begins neither with 44 41 47 00 nor with the line \"" +
         std::string(kTextFormLine) + "\"";
}

namespace {

// What an error expected: a text, or a function that makes it, so that the lines that
// parse, nearly all of them, put no message together.
std::string Said(const std::string& text) { return text; }
std::string Said(const char* text) { return text; }
template <typename Make>
requires std::invocable<Make> std::string Said(Make&& make) { return make(); }

// One line of the text, read from left to right; columns count characters from 1.
class LineReader {
 public:
  LineReader(std::string_view line, int number) : line_(line), number_(number) {}

  bool AtEnd() const { return at_ >= line_.size(); }
  char Peek() const { return AtEnd() ? '\0' : line_[at_]; }
  std::string_view Rest() const { return line_.substr(at_); }
  int Column() const { return ColumnAt(at_); }
  int ColumnAt(std::size_t at) const {
    int column = 1;
    for (std::size_t i = 0; i < at && i < line_.size(); ++i)
      if ((static_cast<unsigned char>(line_[i]) & 0xC0) != 0x80) ++column;
    return column;
  }
  int Number() const { return number_; }

  template <typename What>
  [[noreturn]] void Fail(What&& expected) const {
    FailAt(at_, Said(expected));
  }
  [[noreturn]] void FailAt(std::size_t at, const std::string& expected) const {
    throw TextFormError(number_, ColumnAt(at), "Expected " + expected + ", found " + Found(at));
  }

  // Past the character Peek() shows.
  void Skip() { ++at_; }
  bool Accept(std::string_view word) {
    if (!Rest().starts_with(word)) return false;
    at_ += word.size();
    return true;
  }
  template <typename What>
  void Expect(std::string_view word, What&& what) {
    if (!Accept(word)) Fail(what);
  }
  // One blank or more.
  bool SkipBlanks() {
    const std::size_t from = at_;
    while (Peek() == ' ' || Peek() == '\t') ++at_;
    return at_ > from;
  }
  template <typename What>
  void ExpectBlanks(What&& what) {
    if (!SkipBlanks()) Fail(what);
  }
  template <typename What>
  void ExpectEnd(What&& what) {
    if (!AtEnd()) Fail(what);
  }
  // Digits within min..max, with a minus sign when min is below 0.
  template <typename What>
  long ExpectNumber(long min, long max, What&& what) {
    const std::size_t from = at_;
    const bool minus = min < 0 && Accept("-");
    long value = 0;
    std::size_t digits = 0;
    while (Peek() >= '0' && Peek() <= '9') {
      if (value <= max + 1L) value = value * 10 + (Peek() - '0');
      ++at_;
      ++digits;
    }
    if (minus) value = -value;
    if (digits == 0 || value < min || value > max) FailAt(from, Said(what));
    return value;
  }
  std::uint8_t ExpectHexByte() {
    const std::size_t from = at_;
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      const char c = Peek();
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) FailAt(from, "a byte as two hexadecimal digits");
      value = value * 16 + digit;
      ++at_;
    }
    if (!AtEnd() && Peek() != ' ' && Peek() != '\t') FailAt(from, "a byte as two hexadecimal digits");
    return static_cast<std::uint8_t>(value);
  }

 private:
  std::string Found(std::size_t at) const {
    if (at >= line_.size()) return "the end of the line";
    const auto c = static_cast<unsigned char>(line_[at]);
    if (c == ' ') return "a space";
    if (c == '\t') return "a tab";
    if (c == '\r') return "a carriage return";
    if (c < 0x20 || c == 0x7F) return "the control character " + std::to_string(c);
    if (std::string odd = OddCharacter(line_.substr(at)); !odd.empty()) return odd;
    // The word there, up to 24 characters, each whole, none odd.
    std::size_t end = at;
    for (int characters = 0; characters < 24 && end < line_.size(); ++characters) {
      const auto e = static_cast<unsigned char>(line_[end]);
      if (e <= 0x20 || e == 0x7F || !OddCharacter(line_.substr(end)).empty()) break;
      end += Utf8SequenceLength(line_.substr(end));
    }
    return "\"" + std::string(line_.substr(at, end - at)) + "\"";
  }

  // A character at the start of `text` that a person cannot see or tell from a space or
  // nothing, by its code point ("U+00A0"), or a byte that is not UTF-8; else empty.
  static std::string OddCharacter(std::string_view text) {
    const auto c = static_cast<unsigned char>(text[0]);
    if (c < 0x80) return {};
    char named[48];
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      std::snprintf(named, sizeof named, "the byte 0x%02X, which is not UTF-8", c);
      return named;
    }
    const std::uint32_t code = Utf8CodePoint(text, length);
    const bool odd = code <= 0xA0 || code == 0xAD || code == 0x034F || code == 0x061C || code == 0x1680 ||
                     (code >= 0x180B && code <= 0x180E) || (code >= 0x2000 && code <= 0x200F) ||
                     (code >= 0x2028 && code <= 0x202F) || (code >= 0x205F && code <= 0x206F) || code == 0x3000 ||
                     code == 0xFEFF || (code >= 0xFFF0 && code <= 0xFFFF) || (code >= 0xE0000 && code <= 0xE0FFF);
    if (!odd) return {};
    std::snprintf(named, sizeof named, "the character U+%04X", static_cast<unsigned>(code));
    return named;
  }

  std::string_view line_;
  int number_;
  std::size_t at_ = 0;
};

class Parser {
 public:
  explicit Parser(std::string_view text) {
    text = WithoutByteOrderMark(text);
    lines_.reserve(text.size() / 14 + 1);  // a level's lines are some 15 bytes long
    std::size_t from = 0;
    while (from < text.size()) {
      std::size_t end = text.find('\n', from);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(from, end - from);
      if (line.ends_with('\r')) line.remove_suffix(1);
      while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
      lines_.push_back(line);
      from = end + 1;
    }
  }

  SetImage Parse() {
    SetImage image;
    SkipBlankLines();
    LineReader first = Line();
    if (first.Rest() != kTextFormLine) {
      const std::string_view found = first.Rest().substr(0, first.Rest().find_first_not_of(kTextFormLineCharacters));
      std::string message = "Expected the first line \"" + std::string(kTextFormLine) + "\"";
      if (first.Rest().starts_with(kTextFormWords)) message += " (this program reads version 1 of the text)";
      if (!found.empty() && found.size() == first.Rest().size() && found.size() < 40)
        throw TextFormError(first.Number(), 1, message + ", found \"" + std::string(found) + "\"");
      first.FailAt(0, message.substr(std::string_view("Expected ").size()));
    }
    Next();
    SkipBlankLines();
    if (!Done() && Line().Rest().starts_with(kHeaderWord)) {
      LineReader line = Line();
      line.Expect(kHeaderWord, "header");
      for (std::uint8_t& b : image.Header) {
        line.ExpectBlanks("a blank and a header byte");
        b = line.ExpectHexByte();
      }
      line.ExpectEnd("the end of the line after four header bytes");
      Next();
    }
    for (;;) {
      SkipBlankLines();
      if (Done()) break;
      LineReader line = Line();
      if (line.Rest().starts_with(kTailWord)) {
        ParseTail(image);
        break;
      }
      image.Records.push_back(ParseRecord(image.Records.size()));
    }
    SkipBlankLines();
    if (!Done()) Line().Fail("the end of the text after the tail");
    return image;
  }

 private:
  bool Done() const { return at_ >= lines_.size(); }
  int Number() const { return static_cast<int>(at_) + 1; }
  LineReader Line() const {
    if (Done()) {
      const std::size_t last = lines_.empty() ? 0 : lines_.size() - 1;
      return LineReader(lines_.empty() ? std::string_view() : lines_[last].substr(lines_[last].size()),
                        static_cast<int>(last) + 1 + (lines_.empty() ? 0 : 1));
    }
    return LineReader(lines_[at_], Number());
  }
  void Next() { ++at_; }
  void SkipBlankLines() {
    while (!Done() && lines_[at_].empty()) ++at_;
  }
  // A line that must be there: at the end of the text, the error points past the last line.
  template <typename What>
  LineReader Needed(What&& what) {
    if (Done())
      throw TextFormError(static_cast<int>(lines_.size()) + 1, 1,
                          "Expected " + Said(what) + ", found the end of the text");
    return Line();
  }

  LevelRecord ParseRecord(std::size_t index) {
    const std::string name = RecordName(index);  // once per record: cheap beside its rows
    LineReader header = Line();
    const std::string word = index < kLevelCount ? "level" : "record";
    const std::string expected =
        "\"" + name + "\"" + (index == kLevelCount ? " (after level 256 come records the editor never reads)" : "");
    if (!header.Accept(word)) header.Fail(expected);
    if (!header.SkipBlanks()) header.Fail(expected);
    const std::size_t numberAt = header.Rest().data() - lines_[at_].data();
    if (header.Rest().substr(0, std::min(header.Rest().find_first_of(" \t"), header.Rest().size())) !=
        std::to_string(index + 1))
      header.FailAt(numberAt, "\"" + name + "\": records are numbered in order from 1");
    header.Accept(std::to_string(index + 1));
    LevelRecord record{};
    if (header.SkipBlanks()) {
      header.Expect("empty", "\"empty\" or the end of the line");
      header.ExpectEnd("the end of the line after \"empty\"");
      Next();
      return record;
    }
    header.ExpectEnd("\"empty\" or the end of the line");
    Next();
    for (const NumberName& n : kNumberNames) {
      const auto wanted = [&] {
        std::string text = "\"";  // built piece by piece, as above
        text += n.Name;
        text += " N\" of ";
        return text + name;
      };
      LineReader line = Needed(wanted);
      line.Expect(n.Name, wanted);
      line.ExpectBlanks([&] { return "a blank after \"" + std::string(n.Name) + "\""; });
      record.*n.Member =
          static_cast<std::int16_t>(line.ExpectNumber(-32768, 32767, "a whole number from -32768 to 32767"));
      line.ExpectEnd("the end of the line after the number");
      Next();
    }
    std::vector<int> odd;  // cell indices holding '?', not yet given a code
    for (int row = 0; row < kRows; ++row) {
      const auto rowName = [&] { return "row " + std::to_string(row + 1) + " of " + name; };
      LineReader line = Needed([&] { return rowName() + ": 11 tiles"; });
      for (int column = 0; column < kColumns; ++column) {
        const char c = line.Peek();
        const int index = CellIndex(column, row);
        if (c == kOddTile) {
          odd.push_back(index);
        } else {
          const int code = CodeOfCharacter(c);
          if (code < 0) line.Fail([&] { return "a tile (" + TileChoices() + ") in " + rowName(); });
          record.Cells[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(code);
        }
        line.Skip();
      }
      const auto label = [&] {
        return "a blank and " + std::to_string(row + 1) + ", the row's number, after 11 tiles";
      };
      if (line.SkipBlanks() && !line.AtEnd()) line.ExpectNumber(row + 1, row + 1, label);
      line.ExpectEnd(label);
      Next();
    }
    std::vector<bool> given(kCellCount, false);
    while (!Done() && Line().Rest().starts_with("cell")) {
      LineReader line = Line();
      line.Expect("cell", "cell");
      line.ExpectBlanks("a blank after \"cell\"");
      const std::size_t cellAt = line.Rest().data() - lines_[at_].data();
      const long column = line.ExpectNumber(1, kColumns, "a column from 1 to 11");
      line.Expect(",", "\",\" between the column and the row");
      const long row = line.ExpectNumber(1, kRows, "a row from 1 to 13");
      const int index = CellIndex(static_cast<int>(column - 1), static_cast<int>(row - 1));
      if (std::find(odd.begin(), odd.end(), index) == odd.end())
        line.FailAt(cellAt, "a cell that holds ? in the rows of " + name);
      if (given[static_cast<std::size_t>(index)]) line.FailAt(cellAt, "a cell given no code yet");
      line.SkipBlanks();
      line.Expect("=", "\"=\"");
      line.SkipBlanks();
      const std::size_t codeAt = line.Rest().data() - lines_[at_].data();
      const long code = line.ExpectNumber(-32768, 32767, "a code from -32768 to 32767");
      if (const TileKind* tile = FindTile(static_cast<std::int32_t>(code)))
        line.FailAt(codeAt, std::string("a code outside 0 to 9 (") + std::to_string(code) + " is written " +
                                tile->Character + " in the rows)");
      line.ExpectEnd("the end of the line after the code");
      record.Cells[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(code);
      given[static_cast<std::size_t>(index)] = true;
      Next();
    }
    for (int index : odd) {
      if (given[static_cast<std::size_t>(index)]) continue;
      const int column = index / kRows + 1, row = index % kRows + 1;
      const std::string what =
          "\"cell " + std::to_string(column) + "," + std::to_string(row) + " = CODE\" for the ? of " + name;
      if (Done())
        throw TextFormError(static_cast<int>(lines_.size()) + 1, 1, "Expected " + what + ", found the end of the text");
      Line().Fail(what);
    }
    return record;
  }

  void ParseTail(SetImage& image) {
    LineReader line = Line();
    if (image.Records.size() < kLevelCount)
      line.Fail("a record: only a file of 256 records or more may have a tail (the editor refuses a shorter one)");
    line.Expect(kTailWord, "tail");
    while (line.SkipBlanks()) {
      if (line.AtEnd()) break;
      if (image.Tail.size() + 1 >= kBlockSize)
        line.Fail("the end of the line: a tail is shorter than a record (295 bytes at most)");
      image.Tail.push_back(line.ExpectHexByte());
    }
    line.ExpectEnd("a blank and a byte as two hexadecimal digits");
    if (image.Tail.empty()) line.Fail("a byte after \"tail\"");
    Next();
  }

  std::vector<std::string_view> lines_;
  std::size_t at_ = 0;
};

}  // namespace

SetImage ParseTextForm(std::string_view text) { return Parser(text).Parse(); }

}  // namespace quarvel
