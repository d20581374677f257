#pragma once
// Level set files as the commands read them: "-" is standard input, a FIFO is read as a
// file is, nothing is read past a bound that no set or text reaches, and a file is known
// as a level set or its text by one rule (quarvel::FormOfSetFile). An error names what is
// wrong with the file.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "files/DagFormat.h"
#include "files/LevelSetBytes.h"
#include "files/SystemFiles.h"
#include "files/TextForm.h"
#include "model/LevelSet.h"

namespace quarvel_cli {

inline constexpr const char* kStandardStream = "-";

// The most any command reads of one input: a full set's text is some 70 kB, so no real
// input comes near it, and endless input (/dev/zero) ends here.
inline constexpr std::size_t kMaxInputSize = std::size_t{64} << 20;

// FILE, or standard input for "-", whole: a regular file or a FIFO, at most kMaxInputSize
// bytes. Failures, and more bytes than that, are CliErrors naming the file.
std::vector<std::uint8_t> ReadInput(const std::string& file);

// What a read found beside the levels: the file's whole length (its records and trailing
// bytes, quarvel::LevelSetFileShape), of which the reader looks at no more than the header
// and 256 records.
struct SetFileShape : quarvel::LevelSetFileShape {
  int LevelsRead = 0;           // 0..256
  bool LevelSetHeader = false;  // of the LevelSet form, 44 41 47 00 (the reader takes any 4 bytes)
  bool FromText = false;        // read from the text form
};

// Whether a command takes the text form where it reads a set.
enum class TextAllowed { No, Yes };

// The set FILE's bytes hold, by quarvel::FormOfSetFile: a level set, its text (when
// allowed; else a CliError that says the text is not what the command reads), or a file
// of the `Other` form read as the editor reads one. A text that is not the text form, and
// bytes the editor's reader refuses, are CliErrors with the place and the reason.
quarvel::SetImage ReadSetImage(const std::string& file, std::span<const std::uint8_t> bytes, TextAllowed text);

// Reads FILE, or standard input for "-", into `set` as the editor opens a set: cleared,
// then the file's levels from level 1 on. Failures are CliErrors with the editor's message.
SetFileShape ReadSet(const std::string& file, quarvel::LevelSet& set, TextAllowed text = TextAllowed::Yes);

// "Not a level set: it does not begin with 44 41 47 00; WHY", for a file of another
// header where a command takes only a level set.
std::string NotALevelSet(const std::string& why);

// "the last 1 byte is not a whole record", "the last 5 bytes are ...".
std::string NotWholeRecord(std::size_t trailingBytes);

// Why the reader refuses a file of this shape: "the file is shorter than its 4-byte
// header", or NotWholeRecord.
std::string WhyNotReadable(const quarvel::LevelSetFileShape& shape);

// The editor's message for a failed operation on `path`, saying what the file is when the
// failure comes from its kind ("File access denied: it is a folder").
std::string FileErrorMessage(const std::string& path, const std::string& message);

// A text that is not the text form, as an error at FILE:LINE:COLUMN.
CliError TextError(const std::string& file, const quarvel::TextFormError& error);

}  // namespace quarvel_cli
