#include "win32/FormFont.h"

#include <map>

namespace win32 {

HFONT FormFont(UINT dpi) {
  static std::map<UINT, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (!font) {
    // 8 points: 11 pixels high at 96 dpi.
    font = ::CreateFontW(-MulDiv(8, int(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         L"MS Sans Serif");
  }
  return font;
}

}  // namespace win32
