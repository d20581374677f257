// Writes a level set file described on the command line, with the encoder of DagFile.h,
// for the end-to-end scripts: they build their fixtures and the files they expect the
// program to save with it.
//
// Usage: dag_fixture FILE [LEVEL ...]
//   Each LEVEL is one argument of words: TIME BOMBS RUBIES EMERALDS SAPPHIRES, then any
//   number of cells as COLUMN,ROW=CODE (column 0..10, row 0..12); other cells hold 0.
//   Example: dag_fixture set.dag "60 4 1 2 3 1,0=1 4,3=3" "10 0 0 0 0"
// With no LEVEL the file is the header alone.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DagFile.h"

namespace {

using quarvel_test::DagLevel;

// A whole word as a number in [low, high], or nothing.
std::optional<long> Number(const std::string& word, long low, long high) {
  if (word.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<std::int16_t> Value(const std::string& word) {
  const auto value = Number(word, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
  if (!value) return std::nullopt;
  return static_cast<std::int16_t>(*value);
}

// Parses one LEVEL argument; prints what is wrong and returns nothing if it is not one.
std::optional<DagLevel> ParseLevel(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  DagLevel level;
  for (std::int16_t* number : {&level.time, &level.bombs, &level.rubies, &level.emeralds, &level.sapphires}) {
    if (!(words >> word)) {
      std::fprintf(stderr, "dag_fixture: level \"%s\" has fewer than five numbers\n", text.c_str());
      return std::nullopt;
    }
    const auto value = Value(word);
    if (!value) {
      std::fprintf(stderr, "dag_fixture: \"%s\" is not a 16-bit number\n", word.c_str());
      return std::nullopt;
    }
    *number = *value;
  }
  while (words >> word) {
    const auto comma = word.find(',');
    const auto equals = word.find('=');
    std::optional<long> column, row;
    std::optional<std::int16_t> code;
    if (comma != std::string::npos && equals != std::string::npos && comma < equals) {
      column = Number(word.substr(0, comma), 0, quarvel_test::kDagColumns - 1);
      row = Number(word.substr(comma + 1, equals - comma - 1), 0, quarvel_test::kDagRows - 1);
      code = Value(word.substr(equals + 1));
    }
    if (!column || !row || !code) {
      std::fprintf(stderr, "dag_fixture: \"%s\" is not a cell COLUMN,ROW=CODE\n", word.c_str());
      return std::nullopt;
    }
    level.Cell(static_cast<int>(*column), static_cast<int>(*row)) = *code;
  }
  return level;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [\"TIME BOMBS RUBIES EMERALDS SAPPHIRES [C,R=CODE ...]\" ...]\n", argv[0]);
    return 2;
  }
  std::vector<DagLevel> levels;
  for (int i = 2; i < argc; ++i) {
    const auto level = ParseLevel(argv[i]);
    if (!level) return 2;
    levels.push_back(*level);
  }
  const quarvel_test::Bytes bytes = quarvel_test::DagFile(levels);
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
