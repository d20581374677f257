#include "win32/MessageBox.h"

#include <string>

#include "win32/ScreenPlace.h"

namespace win32 {

namespace {

// The box is placed when it is first activated, before it shows: centred over its owner,
// then onto the work area. The system would centre it on the screen.
HHOOK placing = nullptr;

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = ::CallNextHookEx(placing, code, wParam, lParam);
  if (code != HCBT_ACTIVATE) return next;
  const HWND box = HWND(wParam);
  ::UnhookWindowsHookEx(placing);
  placing = nullptr;
  RECT frame, over;
  const HWND owner = ::GetWindow(box, GW_OWNER);
  if (owner && ::GetWindowRect(box, &frame) && ::GetWindowRect(owner, &over)) {
    const RECT centred = CentredOver(frame, over);
    ::SetWindowPos(box, nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  MoveOntoWorkArea(box);
  return next;
}

}  // namespace

int ShowMessageBox(HWND owner, std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style) {
  const HWND active = ::GetActiveWindow();
  const std::wstring text(Text), caption(Caption);
  // Owned, the box disables its owner; without one, every window of the program.
  UINT type = MB_OK | (owner ? MB_APPLMODAL : MB_TASKMODAL);
  if (Style == TMessageBoxStyle::Error) type |= MB_ICONERROR;
  if (!placing) placing = ::SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, ::GetCurrentThreadId());
  const int answer = ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
  if (placing) ::UnhookWindowsHookEx(placing);
  placing = nullptr;
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
  return answer;
}

}  // namespace win32
