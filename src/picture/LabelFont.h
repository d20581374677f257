#pragma once
// The contact sheet's labels in a pixel font of their own: no installed font, font
// setting or DPI can change a pixel of them.

#include <string_view>

#include "picture/Picture.h"

namespace quarvel {

inline constexpr int kLabelGlyphHeight = 7;

// Draws `text` (letters of "Level", digits and spaces) with its top left at (left, top).
// Other characters are left out.
void DrawLabel(Picture& picture, int left, int top, std::string_view text, Rgb colour);

}  // namespace quarvel
