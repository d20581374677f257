// quarvel-levels.exe's entry: wmain (the program is linked with -municode), so that the
// arguments arrive as the system holds them, in UTF-16, and go on in UTF-8, the encoding of
// every name inside the program. The C library's main would get them in the ANSI code
// page, which has no spelling for most names outside it (niveaux-été.dag has one in
// Western code pages, ниво.dag none).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/Main.h"

namespace {

// An argument in UTF-8. A lone surrogate, which no UTF-8 can hold, becomes U+FFFD: such a
// name then names no file, and the failure says so.
std::string Utf8(std::wstring_view text) {
  // A command line holds at most 32,767 characters: every size fits an int.
  const int size = static_cast<int>(text.size());
  const int n = size == 0 ? 0 : ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8(argv[i]));
  // NULL-terminated, as main's argv is.
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  return quarvel_cli::Main(argc, pointers.data());
}
