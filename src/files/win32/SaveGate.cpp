// SaveGate.h and the console control handler of Seams.h. A save counts itself in or out
// before it checks whether the program is ending, and the handler marks the end before it
// checks for saves (all sequentially consistent): so either the save sees the end, or the
// handler sees the save. The program then ends on the thread that saved, once the save is
// done, as it would end on its own; a save that has not started never does.

#include "files/win32/SaveGate.h"

#include <windows.h>

#include <atomic>

#include "files/win32/Seams.h"

namespace quarvel::win32 {

namespace {

std::atomic<int> savesRunning{0};
std::atomic<bool> ending{false};

// The status of a console program ended by Ctrl+C (STATUS_CONTROL_C_EXIT), which Windows
// gives one ended by the console's close too.
constexpr UINT kControlCExit = 0xC000013A;

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
  if (savesRunning.load() == 0) return FALSE;  // the next handler, in the end the system's: the program ends
  // The save ends the program once it is done.
  if (!IsEndingEvent(event)) return TRUE;
  // Windows ends the program as this returns: it waits for the save, within the time given.
  const ULONGLONG start = ::GetTickCount64();
  while (savesRunning.load() > 0 && ::GetTickCount64() - start < kEndingEventWait) ::Sleep(5);
  return FALSE;
}

SaveRunning::SaveRunning() {
  static const bool installed = ::SetConsoleCtrlHandler(OnConsoleControl, TRUE) != 0;
  (void)installed;
  ++savesRunning;
  if (!ending.load()) return;
  // The program is ending: this save never starts.
  if (--savesRunning == 0) ::ExitProcess(kControlCExit);
  for (;;) ::Sleep(INFINITE);  // another thread's save ends the program
}

SaveRunning::~SaveRunning() {
  if (--savesRunning == 0 && ending.load()) ::ExitProcess(kControlCExit);
}

}  // namespace quarvel::win32
