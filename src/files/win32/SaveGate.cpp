// SaveGate.h and the console control handler of Seams.h. A save counts itself in before it
// checks whether the program is ending, and the handler marks the end before it checks for
// saves (both sequentially consistent): so either the save sees the end and never starts, or
// the handler sees the save and waits for it.

#include "files/win32/SaveGate.h"

#include <windows.h>

#include <atomic>

#include "files/win32/Seams.h"

namespace quarvel::win32 {

namespace {

std::atomic<int> savesRunning{0};
std::atomic<bool> ending{false};

// Windows gives a handler of these events a few seconds (5 for the console's close) before
// it ends the program, handled or not; a save not done by then is cut short whatever the
// handler does, so the wait stays within them.
constexpr DWORD kEndingEventWait = 4500;

bool IsEndingEvent(DWORD event) {
  return event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
}

}  // namespace

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && !IsEndingEvent(event)) return FALSE;
  ending.store(true);
  const ULONGLONG start = ::GetTickCount64();
  while (savesRunning.load() > 0 && (!IsEndingEvent(event) || ::GetTickCount64() - start < kEndingEventWait))
    ::Sleep(5);
  return FALSE;  // the next handler, in the end the system's: the program ends
}

SaveRunning::SaveRunning() {
  static const bool installed = ::SetConsoleCtrlHandler(OnConsoleControl, TRUE) != 0;
  (void)installed;
  ++savesRunning;
  if (!ending.load()) return;
  // The program is ending: this save never starts, and waits for the end to come.
  --savesRunning;
  for (;;) ::Sleep(INFINITE);
}

SaveRunning::~SaveRunning() { --savesRunning; }

}  // namespace quarvel::win32
