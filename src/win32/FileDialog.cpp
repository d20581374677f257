#include "win32/FileDialog.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <stdexcept>
#include <vector>

#include "editor/EditorTexts.h"
#include "win32/Text.h"

namespace {

// comdlg32 and what it brings (shell32, ole32 ...) load at the first file dialog, not at
// start: most of a start's time under Wine, and memory, would go to them.
using DialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
DialogFunction DialogFunctionNamed(const char* name) {
  static HMODULE library = ::LoadLibraryW(L"comdlg32.dll");
  return library ? reinterpret_cast<DialogFunction>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

}  // namespace

bool TFileDialog::Execute(HWND owner) {
  // Pairs of description and pattern, each ended by a null, the list by a second one.
  std::wstring filter = win32::Widen(quarvel::kLevelSetFilterName);
  filter.push_back(L'\0');
  filter += win32::Widen(quarvel::kLevelSetFilterPattern);
  filter.push_back(L'\0');
  const std::wstring extension = win32::Widen(quarvel::kLevelSetExtension);

  std::vector<wchar_t> name(32768, L'\0');
  fileName_.copy(name.data(), std::min(fileName_.size(), name.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = DWORD(name.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_DONTADDTORECENT | OFN_NOCHANGEDIR;
  if (kind_ == TKind::Save) ofn.lpstrDefExt = extension.c_str();
  const DialogFunction dialog = DialogFunctionNamed(kind_ == TKind::Open ? "GetOpenFileNameW" : "GetSaveFileNameW");
  if (!dialog) throw std::runtime_error("The file dialog could not be loaded");
  const BOOL confirmed = dialog(&ofn);
  if (!confirmed) return false;
  fileName_ = name.data();
  return true;
}
