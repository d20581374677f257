#pragma once
// The program as a whole: its title, the program-wide message box, the report of an error
// that escaped a handler, and the event loop that modal windows run too.

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace win32 {

// The program title: the program file's name after its last path separator, cut at its
// first full stop, every character after the first in lower case. "LevelTool.exe" gives
// "Leveltool", "ABC.Editor.exe" gives "Abc".
std::wstring ProgramTitleFromPath(std::wstring_view programPath);
// Fixed once at start-up from GetModuleFileNameW.
void SetProgramTitle(std::wstring title);
const std::wstring& ProgramTitle();

enum class TMessageBoxStyle {
  Plain,  // one OK button, no icon
  Error,  // one OK button and the error icon
};

// A box modal for the whole program, with one OK button; returns when it is dismissed,
// the window that was active before it active again.
int ShowMessageBox(std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style);

// Shows an error that escaped a handler: its message with a full stop, under the program
// title, with the error icon. A mouse hold is let go first.
void ReportError(const std::exception& error);

// The system's default beep, or what a test put in its place.
void SystemBeep();
void SetBeepHandler(void (*handler)());

// Takes and hands on events until `done` holds or the program is asked to quit (then the
// quit message is posted again for the outer loop). Tab and Shift+Tab move through the
// controls of the window an event belongs to. Returns false when the program quits.
bool RunEventLoop(const bool& done);

}  // namespace win32
