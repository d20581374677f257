// quarvel-levels.exe's entry: wmain (the program is linked with -municode), so that the
// arguments arrive as the system holds them, in UTF-16, and go on in UTF-8, the encoding of
// every name inside the program. The C library's main would get them in the ANSI code
// page, which has no spelling for most names outside it (niveaux-été.dag has one in
// Western code pages, ниво.dag none).
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Main.h"
#include "files/InOutError.h"
#include "files/win32/Utf16.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) {
    try {
      arguments.push_back(quarvel::Utf8FromUtf16(argv[i]));
    } catch (const quarvel::TextEncodingError& error) {
      // A lone surrogate, which NTFS allows in a name, has no UTF-8 spelling: any stand-in
      // would name another file, so the argument is refused.
      quarvel_cli::PrintError("argument " + std::to_string(i), quarvel::WithFullStop(error.what()));
      return quarvel_cli::kStatusError;
    }
  }
  // NULL-terminated, as main's argv is.
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  return quarvel_cli::Main(argc, pointers.data());
}
