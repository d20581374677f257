#include "win32/FileDialog.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <vector>

#include "editor/EditorTexts.h"
#include "win32/Win32Support.h"

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
  const BOOL confirmed = kind_ == TKind::Open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
  if (!confirmed) return false;
  fileName_ = name.data();
  return true;
}
