#pragma once
// The program title: what the taskbar button and the error boxes are titled with.

#include <string>
#include <string_view>

namespace win32 {

// The program file's name after its last path separator, cut at its first full stop, every
// character after the first in lower case. "LevelTool.exe" gives "Leveltool",
// "ABC.Editor.exe" gives "Abc".
std::wstring ProgramTitleFromPath(std::wstring_view programPath);
// Fixed once at start-up from GetModuleFileNameW.
void SetProgramTitle(std::wstring title);
const std::wstring& ProgramTitle();

}  // namespace win32
