#include "cli/SetFiles.h"

#include "cli/CliSupport.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

std::string NotWholeRecord(std::size_t trailingBytes) {
  return "the last " + Counted(static_cast<long long>(trailingBytes), "byte") + (trailingBytes == 1 ? " is" : " are") +
         " not a whole record";
}

std::string NotALevelSet(const std::string& why) {
  return "Not a level set: it does not begin with 44 41 47 00; " + why;
}

std::string WhyNotReadable(const quarvel::LevelSetFileShape& shape) {
  if (shape.Bytes < quarvel::kHeaderSize) return "the file is shorter than its 4-byte header";
  return NotWholeRecord(shape.TrailingBytes());
}

namespace {

// ": it is a folder", or nothing for a regular file or none.
std::string ItIs(quarvel::FileKind kind) {
  const std::string_view name = quarvel::FileKindName(kind);
  return name.empty() ? std::string() : ": it is " + std::string(name);
}

// A FIFO is read as a file is: saying so would mislead.
std::string ItIsUnlessFifo(quarvel::FileKind kind) { return kind == quarvel::FileKind::Fifo ? "" : ItIs(kind); }

// Why the editor's reader refuses `bytes`; first, for a file long enough to have a header
// that is neither a level set nor its text, that.
std::string Unreadable(const quarvel::EInOutError& error, std::span<const std::uint8_t> bytes,
                       quarvel::SetFileForm form) {
  const std::string why = WhyNotReadable({bytes.size()});
  if (form != quarvel::SetFileForm::Other || bytes.size() < quarvel::kHeaderSize)
    return std::string(error.what()) + ": " + why;
  return quarvel::NeitherSetNorText() + "; read as a set of another header, " + why;
}

}  // namespace

std::vector<std::uint8_t> ReadInput(const std::string& file) {
  quarvel::BoundedBytes in;
  try {
    in = file == kStandardStream ? quarvel::ReadStandardInput(kMaxInputSize)
                                 : quarvel::ReadFileUpTo(file, kMaxInputSize);
  } catch (const quarvel::EInOutError& error) {
    const quarvel::FileKind kind = file == kStandardStream ? quarvel::KindOfStandardInput() : quarvel::KindOfFile(file);
    throw CliError(file, error.what() + ItIsUnlessFifo(kind));
  }
  if (in.Cut)
    throw CliError(file, "Too large: more than " + std::to_string(kMaxInputSize >> 20) +
                             " MiB, which no level set or its text comes near; read no further");
  return std::move(in.Bytes);
}

CliError TextError(const std::string& file, const quarvel::TextFormError& error) {
  return CliError(file, error.what(), std::to_string(error.Line) + ":" + std::to_string(error.Column));
}

quarvel::SetImage ReadSetImage(const std::string& file, std::span<const std::uint8_t> bytes, TextAllowed text) {
  const quarvel::SetFileForm form = quarvel::FormOfSetFile(bytes);
  if (form == quarvel::SetFileForm::Text) {
    if (text == TextAllowed::No)
      throw CliError(file, "Is the text form of a set, not the set: import turns it back into the set");
    try {
      return quarvel::ParseTextForm(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const quarvel::TextFormError& error) {
      throw TextError(file, error);
    }
  }
  try {
    return quarvel::DecodeSetBytes(bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(file, Unreadable(error, bytes, form));
  }
}

std::string FileErrorMessage(const std::string& path, const std::string& message) {
  return message + ItIs(quarvel::KindOfFile(path));
}

SetFileShape ReadSet(const std::string& file, quarvel::LevelSet& set, TextAllowed text) {
  quarvel::ClearLevelSet(set);
  std::vector<std::uint8_t> bytes = ReadInput(file);
  const quarvel::SetFileForm form = quarvel::FormOfSetFile(bytes);
  SetFileShape shape;
  // The text gives the very bytes of its file, which are then read as the editor reads them.
  if (form == quarvel::SetFileForm::Text) {
    bytes = quarvel::EncodeSetBytes(ReadSetImage(file, bytes, text));
    shape.FromText = true;
  }
  shape.Bytes = bytes.size();
  shape.LevelSetHeader = quarvel::FormOfSetFile(bytes) == quarvel::SetFileForm::LevelSet;
  try {
    shape.LevelsRead = quarvel::ParseLevelSetBytes(bytes, set);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(file, Unreadable(error, bytes, form));
  }
  return shape;
}

}  // namespace quarvel_cli
