#include "win32/Shell.h"

#include <new>

#include "files/InOutError.h"
#include "win32/Win32Support.h"

namespace win32 {

namespace {
std::wstring& Title() {
  static std::wstring title;
  return title;
}
void DefaultBeep() { ::MessageBeep(MB_OK); }
void (*beepHandler)() = DefaultBeep;
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

int ShowMessageBox(std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style) {
  const HWND active = ::GetActiveWindow();
  const std::wstring text(Text), caption(Caption);
  // No owner and task-modal: the box belongs to the program and every window of it waits.
  UINT type = MB_OK | MB_TASKMODAL;
  if (Style == TMessageBoxStyle::Error) type |= MB_ICONERROR;
  const int answer = ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
  return answer;
}

void ReportError(const std::exception& error) {
  // A button held down when the error struck would never see its release behind the box.
  ::ReleaseCapture();
  const char* message = dynamic_cast<const std::bad_alloc*>(&error) ? "Out of memory" : error.what();
  ShowMessageBox(Widen(quarvel::WithFullStop(message)), ProgramTitle(), TMessageBoxStyle::Error);
}

void SystemBeep() { beepHandler(); }

void SetBeepHandler(void (*handler)()) { beepHandler = handler ? handler : DefaultBeep; }

bool RunEventLoop(const bool& done) {
  MSG msg;
  while (!done) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    // Tab, Shift+Tab and Enter on a focused button as in a dialog, in any of the windows.
    const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && ::IsDialogMessageW(root, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace win32
