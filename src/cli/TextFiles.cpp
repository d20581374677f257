#include "cli/TextFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cli/CliSupport.h"
#include "cli/FileNames.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/DagFormat.h"
#include "files/InOutError.h"
#include "files/PosixFiles.h"

namespace quarvel_cli {

std::vector<std::uint8_t> ReadWholeFile(const std::string& file) {
  std::vector<std::uint8_t> bytes;
  if (file == kStandardStream) {
    std::uint8_t chunk[65536];
    for (;;) {
      const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        throw CliError(file, quarvel::ErrorFromErrno(errno, file).what());
      }
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
  }
  // The length tells how much to read; one byte more shows a file that grew meanwhile.
  struct stat st {};
  std::size_t room = ::stat(file.c_str(), &st) == 0 ? static_cast<std::size_t>(st.st_size) + 1 : 1;
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
  std::fflush(stdout);
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
    if (input != kStandardStream && SameFile(out, input)) throw CliError(out, "Is an input; it is never written over");
  try {
    quarvel::ReplaceFileContent(out, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(out, FileErrorMessage(out, error.what()));
  }
}

}  // namespace quarvel_cli
