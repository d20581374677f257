#pragma once
// Texts between the program, which holds them in UTF-8, and Windows' Unicode calls, which
// take UTF-16: every conversion of the front end goes through these two.

#include <string>
#include <string_view>

namespace win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace win32
