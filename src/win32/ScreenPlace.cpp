#include "win32/ScreenPlace.h"

#include <algorithm>

namespace win32 {

RECT OnWorkArea(const RECT& frame, const RECT& work) {
  const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
  const LONG left = std::max(work.left, std::min(frame.left, work.right - width));
  const LONG top = std::max(work.top, std::min(frame.top, work.bottom - height));
  return RECT{left, top, left + width, top + height};
}

RECT CentredOver(const RECT& frame, const RECT& over) {
  const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
  const LONG left = over.left + (over.right - over.left - width) / 2;
  const LONG top = over.top + (over.bottom - over.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

void MoveOntoWorkArea(HWND window) {
  RECT frame;
  ::GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoW(::MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT placed = OnWorkArea(frame, monitor.rcWork);
  if (placed.left != frame.left || placed.top != frame.top)
    ::SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
