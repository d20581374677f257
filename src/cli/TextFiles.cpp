#include "cli/TextFiles.h"

#include <cstdint>
#include <cstdio>

#include "cli/CliSupport.h"
#include "cli/FileNames.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "files/SystemFiles.h"

namespace quarvel_cli {

std::vector<std::uint8_t> ReadWholeFile(const std::string& file) {
  if (file == kStandardStream) return StandardInputBytes(SIZE_MAX).Bytes;
  // The length tells how much to read; one byte more shows a file that grew meanwhile.
  std::vector<std::uint8_t> bytes;
  std::size_t room = static_cast<std::size_t>(quarvel::FileLength(file).value_or(0)) + 1;
  for (;;) {
    bytes.resize(room);
    std::size_t got = 0;
    try {
      got = quarvel::ReadRegularFileStart(file, bytes);
    } catch (const quarvel::EInOutError& error) {
      throw CliError(file, FileErrorMessage(file, error.what()));
    }
    if (got < room) {
      bytes.resize(got);
      return bytes;
    }
    room *= 2;
  }
}

quarvel::SetImage ReadSetImage(const std::string& file, const std::vector<std::uint8_t>& bytes, TextAllowed text) {
  if (text == TextAllowed::Yes && quarvel::LooksLikeTextForm(bytes))
    return quarvel::ParseTextForm(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  try {
    return quarvel::DecodeSetBytes(bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(file, std::string(error.what()) + ": " + WhyNotReadable({bytes.size()}));
  }
}

void PrintTextFormError(const std::string& file, const quarvel::TextFormError& error) {
  FlushOutBeforeError();
  std::fprintf(stderr, "%s: %s:%d:%d: %s\n", kProgram, ShownName(file).c_str(), error.Line, error.Column,
               quarvel::WithFullStop(error.what()).c_str());
}

void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const std::vector<std::string>& inputs) {
  if (out == kStandardStream) {
    WriteOut(bytes);
    FlushOut();
    return;
  }
  for (const std::string& input : inputs)
    if (input != kStandardStream && quarvel::SameFile(out, input))
      throw CliError(out, "Is an input; it is never written over");
  try {
    quarvel::ReplaceFileContent(out, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(out, FileErrorMessage(out, error.what()));
  }
}

}  // namespace quarvel_cli
