#include "win32/ProgramTitle.h"

#include <windows.h>

namespace win32 {

namespace {
std::wstring& Title() {
  static std::wstring title;
  return title;
}
}  // namespace

std::wstring ProgramTitleFromPath(std::wstring_view programPath) {
  const std::size_t separator = programPath.find_last_of(L"\\/");
  std::wstring name(separator == std::wstring_view::npos ? programPath : programPath.substr(separator + 1));
  if (const std::size_t stop = name.find(L'.'); stop != std::wstring::npos) name.resize(stop);
  // The system's lower case, character by character past the first: any language's letters.
  if (name.size() > 1) ::CharLowerBuffW(name.data() + 1, DWORD(name.size() - 1));
  return name;
}

void SetProgramTitle(std::wstring title) { Title() = std::move(title); }

const std::wstring& ProgramTitle() { return Title(); }

}  // namespace win32
