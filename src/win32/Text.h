#pragma once
// Texts between the program, which holds them in UTF-8, and Windows' Unicode calls, which
// take UTF-16: the Windows side's one conversion (files/win32/Utf16.h), which refuses what
// it cannot convert exactly. A file name from a dialog that holds an unpaired surrogate is
// reported as an error instead of naming another file.

#include <string>
#include <string_view>

#include "files/win32/Utf16.h"

namespace win32 {

inline std::wstring Widen(std::string_view utf8) { return quarvel::Utf16FromUtf8(utf8); }
inline std::string Narrow(std::wstring_view wide) { return quarvel::Utf8FromUtf16(wide); }

}  // namespace win32
