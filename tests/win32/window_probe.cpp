// Reads what the window system knows of the editor's windows, from outside, under Wine:
// their true places and sizes and the texts of their controls, which a screenshot cannot
// give. One line a window or control:
//   window_probe windows          every visible top-level window of the desktop:
//                                 "window CLASS|TITLE|frame L T R B|client L T W H|STATE"
//                                 (STATE normal, maximised or minimised)
//                                 then one line a child: "  child CLASS|TEXT|L T W H"
//                                 (corner in its parent's client area, size)
//   window_probe focus TITLE      the control that has the focus in the window titled TITLE
//                                 (its thread's focus; an integer field for its edit box),
//                                 as a child line
//   window_probe active           the window Windows has in the foreground, the one keys go
//                                 to: "active CLASS|TITLE" (no line while there is none)
//   window_probe taskbar          the taskbar's buttons (Wine's, in a desktop of its own with
//                                 a shell), one line each: "button TEXT", the text of the
//                                 window the button stands for
// Each command may follow "--desktop NAME": the probe then looks at the desktop NAME (Wine's
// explorer /desktop=NAME), and fails while there is none of that name.
//   window_probe close TITLE      asks the window titled TITLE to close, as the desktop does
//   window_probe dpi TITLE FROM TO
//                                 tells the window titled TITLE that its dpi changed from
//                                 FROM to TO, as Windows does when it moves to a monitor of
//                                 another scale (WM_DPICHANGED), with the frame Windows
//                                 suggests: its corner kept, its size scaled
//   window_probe workarea         the work area of the primary monitor (the screen less the
//                                 taskbar): "workarea L T R B"
//   window_probe owner TITLE      the owner of each visible top-level window titled TITLE,
//                                 one line each: "owner CLASS|OWNER CLASS|OWNER TITLE", or
//                                 "owner CLASS|none" for a window of no owner
//   window_probe pixels TITLE OUT [CLASS]
//                                 the client area of the window TITLE, or of its control
//                                 of class CLASS, read from the screen, as a P6 image in OUT
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Text(HWND hwnd) {
  wchar_t buffer[1024] = {};
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, LPARAM(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  // One line a window: line ends become "/".
  std::string text;
  for (char c : Utf8(buffer)) {
    if (c != '\r') text.push_back(c == '\n' ? '/' : c);
  }
  return text;
}

std::string ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  ::GetClassNameW(hwnd, name, 256);
  return Utf8(name);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  if (!::IsWindowVisible(child)) return TRUE;
  RECT r;
  ::GetWindowRect(child, &r);
  const HWND parent = ::GetParent(child);
  POINT corner{r.left, r.top};
  ::ScreenToClient(parent, &corner);
  std::printf("  child %s|%s|%ld %ld %ld %ld\n", ClassOf(child).c_str(), Text(child).c_str(), corner.x, corner.y,
              r.right - r.left, r.bottom - r.top);
  return TRUE;
}

BOOL CALLBACK PrintOwner(HWND hwnd, LPARAM title) {
  if (!::IsWindowVisible(hwnd) || Text(hwnd) != *reinterpret_cast<const std::string*>(title)) return TRUE;
  const HWND owner = ::GetWindow(hwnd, GW_OWNER);
  if (owner)
    std::printf("owner %s|%s|%s\n", ClassOf(hwnd).c_str(), ClassOf(owner).c_str(), Text(owner).c_str());
  else
    std::printf("owner %s|none\n", ClassOf(hwnd).c_str());
  return TRUE;
}

BOOL CALLBACK PrintWindow(HWND hwnd, LPARAM) {
  if (!::IsWindowVisible(hwnd)) return TRUE;
  RECT frame, client;
  ::GetWindowRect(hwnd, &frame);
  ::GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd, &origin);
  const char* state = ::IsIconic(hwnd) ? "minimised" : ::IsZoomed(hwnd) ? "maximised" : "normal";
  std::printf("window %s|%s|frame %ld %ld %ld %ld|client %ld %ld %ld %ld|%s\n", ClassOf(hwnd).c_str(),
              Text(hwnd).c_str(), frame.left, frame.top, frame.right, frame.bottom, origin.x, origin.y, client.right,
              client.bottom, state);
  ::EnumChildWindows(hwnd, PrintChild, 0);
  return TRUE;
}

HWND FindByTitle(const wchar_t* title) { return ::FindWindowW(nullptr, title); }

// A taskbar button's id is the window it stands for.
BOOL CALLBACK PrintTaskbarButton(HWND button, LPARAM) {
  if (!::IsWindowVisible(button) || ClassOf(button) != "Button") return TRUE;
  const HWND window = reinterpret_cast<HWND>(::GetWindowLongPtrW(button, GWLP_ID));
  if (window && ::IsWindow(window)) std::printf("button %s\n", Text(window).c_str());
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring(argv[1]) == L"--desktop") {
    // Before this thread has any window: a thread with windows keeps its desktop.
    const HDESK desktop = ::OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL);
    if (!desktop || !::SetThreadDesktop(desktop)) return 1;
    argc -= 2;
    argv += 2;
  }
  const std::wstring what = argc > 1 ? argv[1] : L"";
  if (what == L"windows") {
    ::EnumWindows(PrintWindow, 0);
    return 0;
  }
  if (what == L"active") {
    const HWND active = ::GetForegroundWindow();
    if (active) std::printf("active %s|%s\n", ClassOf(active).c_str(), Text(active).c_str());
    return 0;
  }
  if (what == L"taskbar") {
    const HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) return 1;
    ::EnumChildWindows(tray, PrintTaskbarButton, 0);
    return 0;
  }
  if (what == L"close" && argc > 2) {
    const HWND hwnd = FindByTitle(argv[2]);
    return hwnd && ::PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (what == L"dpi" && argc > 4) {
    const HWND hwnd = FindByTitle(argv[2]);
    const int from = std::stoi(argv[3]), to = std::stoi(argv[4]);
    RECT frame;
    if (!hwnd || from <= 0 || to <= 0 || !::GetWindowRect(hwnd, &frame)) return 1;
    const RECT suggested{frame.left, frame.top, frame.left + ::MulDiv(frame.right - frame.left, to, from),
                         frame.top + ::MulDiv(frame.bottom - frame.top, to, from)};
    // The frame must reach the window's own process: it is written into it, and the message
    // carries its address there.
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    const HANDLE target = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    if (!target) return 1;
    void* there = ::VirtualAllocEx(target, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written = there && ::WriteProcessMemory(target, there, &suggested, sizeof suggested, nullptr);
    DWORD_PTR result = 0;
    const bool sent = written && ::SendMessageTimeoutW(hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), LPARAM(there),
                                                       SMTO_ABORTIFHUNG, 5000, &result);
    if (there) ::VirtualFreeEx(target, there, 0, MEM_RELEASE);
    ::CloseHandle(target);
    return sent ? 0 : 1;
  }
  if (what == L"workarea") {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor)) return 1;
    const RECT& r = monitor.rcWork;
    std::printf("workarea %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (what == L"owner" && argc > 2) {
    const std::string title = Utf8(argv[2]);
    ::EnumWindows(PrintOwner, reinterpret_cast<LPARAM>(&title));
    return 0;
  }
  if (what == L"focus" && argc > 2) {
    const HWND hwnd = FindByTitle(argv[2]);
    if (!hwnd) return 1;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hwnd, nullptr), &info) || !info.hwndFocus) return 1;
    HWND focus = info.hwndFocus;
    // An integer field's edit box stands for its field.
    if (::GetParent(focus) != hwnd && ::GetParent(focus)) focus = ::GetParent(focus);
    PrintChild(focus, 0);
    return 0;
  }
  if (what == L"pixels" && argc > 3) {
    HWND hwnd = FindByTitle(argv[2]);
    // A control of the window, by its class.
    if (hwnd && argc > 4) hwnd = ::FindWindowExW(hwnd, nullptr, argv[4], nullptr);
    if (!hwnd) return 1;
    RECT client;
    ::GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    const int w = client.right, h = client.bottom;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    std::FILE* out = ::_wfopen(argv[3], L"wb");
    if (!out) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", w, h);
    const auto* p = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < w * h; ++i) {
      const unsigned char rgb[3] = {p[4 * i + 2], p[4 * i + 1], p[4 * i]};
      std::fwrite(rgb, 1, 3, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: window_probe [--desktop NAME] windows | active | taskbar | focus TITLE | close TITLE | "
               "owner TITLE | workarea | dpi TITLE FROM TO | pixels TITLE OUT [CLASS]\n");
  return 2;
}
