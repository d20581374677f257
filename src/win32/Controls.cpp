#include "win32/Controls.h"

#include <vector>

#include "picture/GridPicture.h"
#include "picture/TilePixels.h"
#include "win32/FormFont.h"

namespace win32 {

HWND NewLabel(HWND parent, const wchar_t* caption) {
  return ::CreateWindowExW(0, L"STATIC", caption, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent,
                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

namespace {
LRESULT CALLBACK EnterPresses(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE) return ::DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_DEFPUSHBUTTON;
  // The dialog manager makes a focused push button the default one by its style: no button
  // is the default one here, and an owner-drawn button keeps its own style.
  if (message == BM_SETSTYLE) return 0;
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, EnterPresses, 1);
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

HWND NewButton(HWND parent, int id, const wchar_t* caption, bool ownerDraw) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | (ownerDraw ? BS_OWNERDRAW : BS_PUSHBUTTON);
  HWND button = ::CreateWindowExW(0, L"BUTTON", caption, style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(INT_PTR(id)), ::GetModuleHandleW(nullptr), nullptr);
  // Enter presses the focused button, however the focus came to it.
  ::SetWindowSubclass(button, EnterPresses, 1, 0);
  return button;
}

HIMAGELIST NewTileImageList(int size) {
  HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, quarvel::kTileCount, 0);
  for (int code = 0; code < quarvel::kTileCount; ++code) {
    // Stretched as the grid stretches it: each pixel the nearest of the picture's, no blur.
    quarvel::Picture tile(size, size, 0);
    quarvel::DrawTile(tile, quarvel::PixelRect{0, 0, size, size}, code);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<quarvel::Rgb*>(bits);
    // The mask: one bit a pixel, rows padded to 16 bits, 1 where the picture is transparent.
    const int stride = (size + 15) / 16 * 2;
    std::vector<BYTE> maskBits(std::size_t(stride) * std::size_t(size), 0);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const quarvel::Rgb pixel = tile.IsNull() ? 0 : tile.At(x, y);
        const bool opaque = quarvel::IsOpaque(pixel);
        pixels[y * size + x] = opaque ? pixel : 0;
        if (!opaque) maskBits[std::size_t(y * stride + x / 8)] |= BYTE(0x80 >> (x % 8));
      }
    }
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ::ImageList_Add(list, colour, mask);
    ::DeleteObject(colour);
    ::DeleteObject(mask);
  }
  return list;
}

void DrawPaletteButton(const DRAWITEMSTRUCT& item, HIMAGELIST pictures, int tile, UINT dpi) {
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  int width = 0, height = 0;
  ::ImageList_GetIconSize(pictures, &width, &height);
  const int shift = pressed ? Scaled(1, dpi) : 0;
  const int x = r.left + (r.right - r.left - width) / 2 + shift;
  const int y = r.top + (r.bottom - r.top - height) / 2 + shift;
  ::ImageList_DrawEx(pictures, tile, item.hDC, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    ::InflateRect(&focus, -Scaled(4, dpi), -Scaled(4, dpi));
    ::DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace win32
