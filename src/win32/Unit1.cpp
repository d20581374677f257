#include "win32/Unit1.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "editor/EditorTexts.h"
#include "editor/Layout.h"
#include "model/Tiles.h"
#include "picture/TilePixels.h"
#include "win32/Application.h"
#include "win32/Controls.h"
#include "win32/Shell.h"
#include "win32/Unit2.h"
#include "win32/Unit3.h"

namespace Unit1 {
quarvel::EditorSession Editor;
}  // namespace Unit1

TForm1* Form1 = nullptr;

namespace {

using WindowLayout::At;
using WindowLayout::kMainWindow;
using WindowLayout::TControlPlace;

// A fixed single frame: the system menu, minimise and close; no maximise, no resizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// The palette buttons in tab order with the tile each shows: BitBtn1 .. BitBtn6 hold tiles
// 0 .. 5, BitBtn7 .. BitBtn10 tiles 9 .. 6.
constexpr int kPaletteTile[10] = {0, 1, 2, 3, 4, 5, 9, 8, 7, 6};
constexpr const char* kPaletteName[10] = {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5",
                                          "BitBtn6", "BitBtn7", "BitBtn8", "BitBtn9", "BitBtn10"};

const TControlPlace& Row(const char* name) {
  for (const TControlPlace& place : kMainWindow)
    if (std::string_view(name) == place.Name) return place;
  return kMainWindow[0];
}

}  // namespace

TForm1::TForm1() {
  dpi_ = ::GetDpiForSystem();
  HICON icon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  RegisterClassOnce(L"TForm1", 0, ::GetSysColorBrush(COLOR_BTNFACE), icon);
  CreateMenu();
  Create(kExStyle, L"TForm1", win32::Widen(quarvel::kMainCaption).c_str(), kStyle, win32::Scaled(kLeft, dpi_),
         win32::Scaled(kTop, dpi_), 0, 0, Application ? Application->Handle() : nullptr, MainMenu1);
  dpi_ = ::GetDpiForWindow(hwnd_) ? ::GetDpiForWindow(hwnd_) : dpi_;
  FitClientArea();
  CreateControls();
  FormCreate(this);
  ConnectHandlers();  // only now: no change handler runs while the window is created
}

TForm1::~TForm1() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  delete DrawGrid1;
  for (TSpinEdit* field : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6}) delete field;
  if (ImageList1) ::ImageList_Destroy(ImageList1);
}

void TForm1::CreateMenu() {
  // No shortcuts and no access letters.
  MainMenu1 = ::CreateMenu();
  File1 = ::CreatePopupMenu();
  ::AppendMenuW(File1, MF_STRING, kN1, win32::Widen(quarvel::kNewSetItem).c_str());
  ::AppendMenuW(File1, MF_STRING, kN2, win32::Widen(quarvel::kOpenSetItem).c_str());
  ::AppendMenuW(File1, MF_STRING, kN3, win32::Widen(quarvel::kSaveSetItem).c_str());
  ::AppendMenuW(File1, MF_SEPARATOR, 0, nullptr);  // N4
  ::AppendMenuW(File1, MF_STRING, kN7, win32::Widen(quarvel::kCopyItem).c_str());
  ::AppendMenuW(File1, MF_SEPARATOR, 0, nullptr);  // N6
  ::AppendMenuW(File1, MF_STRING, kN5, win32::Widen(quarvel::kExitItem).c_str());
  About1 = ::CreatePopupMenu();
  ::AppendMenuW(About1, MF_STRING, kAbout2, win32::Widen(quarvel::kAboutItem).c_str());
  ::AppendMenuW(MainMenu1, MF_POPUP, UINT_PTR(File1), win32::Widen(quarvel::kLevelsMenu).c_str());
  ::AppendMenuW(MainMenu1, MF_POPUP, UINT_PTR(About1), win32::Widen(quarvel::kHelpMenu).c_str());
}

void TForm1::FitClientArea() {
  // The frame around a client area of 256 x 477 below the menu bar, as the system draws it;
  // then measured, in case the menu bar came out another height.
  const int width = win32::Scaled(kClientWidth, dpi_), height = win32::Scaled(kClientHeight, dpi_);
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectExForDpi(&frame, kStyle, TRUE, kExStyle, dpi_);
  ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  if (client.right != width || client.bottom != height) {
    RECT window;
    ::GetWindowRect(hwnd_, &window);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + width - client.right,
                   window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm1::CreateControls() {
  const HFONT font = win32::FormFont(dpi_);
  auto s = [this](int pixels) { return win32::Scaled(pixels, dpi_); };
  ImageList1 = win32::NewTileImageList(quarvel::GridAtRatio(dpi_ / 96.0).geometry.cell);

  // Created in tab order: the dialog manager's Tab follows the order of the children.
  DrawGrid1 = new TDrawGrid(hwnd_, s(At(kMainWindow, "DrawGrid1").Left), s(At(kMainWindow, "DrawGrid1").Top));
  TSpinEdit** fields[] = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4, &SpinEdit5, &SpinEdit6};
  const char* fieldNames[] = {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"};
  auto newField = [&](int index) {
    const TControlPlace& place = Row(fieldNames[index]);
    *fields[index] =
        new TSpinEdit(hwnd_, s(place.Left), s(place.Top), s(place.Width), s(place.Height), index == 5 ? L"1" : L"0");
    (*fields[index])->SetFont(font);
  };
  for (const TControlPlace& place : WindowLayout::TabOrder(kMainWindow)) {
    const std::string_view name = place.Name;
    if (name == "DrawGrid1") continue;
    if (name.starts_with("SpinEdit")) {
      newField(name.back() - '1');
    } else if (name.starts_with("BitBtn")) {
      for (int i = 0; i < 10; ++i) {
        if (name != kPaletteName[i]) continue;
        // The tile's name as the button's text: screen readers say it; the face shows the picture.
        BitBtns[std::size_t(i)] =
            win32::NewButton(hwnd_, kBitBtn1 + i, win32::Widen(quarvel::kTiles[kPaletteTile[i]].Label).c_str(),
                             s(place.Left), s(place.Top), s(place.Width), s(place.Height), font, true);
      }
    } else if (name == "Button1") {
      Button1 = win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kCheckLevelCaption).c_str(), s(place.Left),
                                 s(place.Top), s(place.Width), s(place.Height), font);
    }
  }
  SpinEdit6->SetRange(1, 256);

  HWND* labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
  const char* labelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
  for (int i = 0; i < 6; ++i) {
    const TControlPlace& place = Row(labelNames[i]);
    const char* caption = i < 5 ? quarvel::kNumberLabels[i] : quarvel::kLevelLabel;
    *labels[i] = win32::NewLabel(hwnd_, win32::Widen(caption).c_str(), s(place.Left), s(place.Top), font, s(13));
    (*fields[i])->SetName(win32::Widen(caption));
  }
}

void TForm1::ConnectHandlers() {
  DrawGrid1->SetOnDrawCell(
      [this](TDrawGrid* Sender, int ACol, int ARow, const quarvel::PixelRect& Rect, TGridDrawState State,
             quarvel::Picture& Canvas) { DrawGrid1DrawCell(Sender, ACol, ARow, Rect, State, Canvas); });
  DrawGrid1->SetOnCellName([](int ACol, int ARow) { return win32::Widen(Unit1::Editor.CellName(ACol, ARow)); });
  DrawGrid1->SetOnSelectCell([this](TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect) {
    win32::Dispatch([&] { DrawGrid1SelectCell(Sender, ACol, ARow, CanSelect); });
  });
  const std::pair<TSpinEdit*, void (TForm1::*)(TSpinEdit*)> fields[] = {
      {SpinEdit1, &TForm1::SpinEdit1Change}, {SpinEdit2, &TForm1::SpinEdit2Change},
      {SpinEdit3, &TForm1::SpinEdit3Change}, {SpinEdit4, &TForm1::SpinEdit4Change},
      {SpinEdit5, &TForm1::SpinEdit5Change}, {SpinEdit6, &TForm1::SpinEdit6Change}};
  for (const auto& [field, handler] : fields) {
    field->SetOnChange([this, handler](TSpinEdit* Sender) { win32::Dispatch([&] { (this->*handler)(Sender); }); });
  }
}

void TForm1::Show(int showCommand) {
  // A window that would run off its screen's work area moves onto it, as far as it fits.
  RECT frame;
  ::GetWindowRect(hwnd_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    const int left = std::max(work.left, std::min(frame.left, work.right - (frame.right - frame.left)));
    const int top = std::max(work.top, std::min(frame.top, work.bottom - (frame.bottom - frame.top)));
    if (left != frame.left || top != frame.top)
      ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  activeControl_ = DrawGrid1->Handle();
  if (Application)
    Application->Show(showCommand);
  else
    ::ShowWindow(hwnd_, showCommand);
  if (!::IsWindowVisible(hwnd_)) return;
  ::UpdateWindow(hwnd_);
  // The first control in the focus order, the grid, takes the focus.
  if (::GetActiveWindow() == hwnd_) ::SetFocus(DrawGrid1->Handle());
}

void TForm1::Command(int id, HWND control) {
  using Click = void (TForm1::*)(HWND);
  static constexpr Click palette[10] = {&TForm1::BitBtn1Click, &TForm1::BitBtn2Click, &TForm1::BitBtn3Click,
                                        &TForm1::BitBtn4Click, &TForm1::BitBtn5Click, &TForm1::BitBtn6Click,
                                        &TForm1::BitBtn7Click, &TForm1::BitBtn8Click, &TForm1::BitBtn9Click,
                                        &TForm1::BitBtn10Click};
  if (id >= kBitBtn1 && id < kBitBtn1 + 10) {
    (this->*palette[id - kBitBtn1])(control);
    return;
  }
  switch (id) {
    case kButton1:
      Button1Click(control);
      break;
    case kN1:
      N1Click(File1);
      break;
    case kN2:
      N2Click(File1);
      break;
    case kN3:
      N3Click(File1);
      break;
    case kN7:
      N7Click(File1);
      break;
    case kN5:
      N5Click(File1);
      break;
    case kAbout2:
      About2Click(About1);
      break;
    default:
      break;  // IDOK and IDCANCEL (Enter and Escape): the window has no default button
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) Command(LOWORD(wParam), HWND(lParam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int index = int(item.CtlID) - kBitBtn1;
      if (index < 0 || index >= 10) return FALSE;
      win32::DrawPaletteButton(item, ImageList1, kPaletteTile[index], dpi_);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      // Labels on the button face, in the window-text colour.
      HDC dc = HDC(wParam);
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return LRESULT(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
      // The window's active control keeps its place while another window is in front.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) activeControl_ = focus;
        return 0;
      }
      if (activeControl_ && ::IsWindow(activeControl_) && !::IsIconic(hwnd_)) {
        ::SetFocus(activeControl_);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      // Minimised, the program is its taskbar button alone (Application).
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application) {
        Application->Minimize();
        return 0;
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;  // logging off or shutting down: yes, at once
    case WM_CLOSE:
      // Closing ends the program, with no question.
      ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TForm1::FormCreate(TForm1* /*Sender*/) { Unit1::Editor.Start(); }
