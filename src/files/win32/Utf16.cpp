// files/win32/Utf16.h: Windows' own converters, told to fail on what they cannot convert
// exactly (MB_ERR_INVALID_CHARS, WC_ERR_INVALID_CHARS); the message then names the first
// offending byte or unit.

#include "files/win32/Utf16.h"

#include <windows.h>

#include <cstdio>
#include <limits>

#include "files/Utf8.h"

namespace quarvel {

namespace {

constexpr bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

[[noreturn]] void ThrowInvalidUtf8(std::string_view utf8) {
  std::size_t at = 0;
  while (at < utf8.size()) {
    const std::size_t length = Utf8SequenceLength(utf8.substr(at));
    if (length == 0) break;
    at += length;
  }
  char message[64];
  if (at < utf8.size())
    std::snprintf(message, sizeof message, "Not valid UTF-8: byte 0x%02X at %zu", static_cast<unsigned char>(utf8[at]),
                  at);
  else
    std::snprintf(message, sizeof message, "Not valid UTF-8");
  throw TextEncodingError(message);
}

[[noreturn]] void ThrowUnpairedSurrogate(std::wstring_view utf16) {
  std::size_t at = 0;
  while (at < utf16.size()) {
    if (IsHighSurrogate(utf16[at]) && at + 1 < utf16.size() && IsLowSurrogate(utf16[at + 1]))
      at += 2;
    else if (IsHighSurrogate(utf16[at]) || IsLowSurrogate(utf16[at]))
      break;
    else
      ++at;
  }
  char message[64];
  if (at < utf16.size())
    std::snprintf(message, sizeof message, "An unpaired UTF-16 surrogate: U+%04X at %zu",
                  static_cast<unsigned>(utf16[at]), at);
  else
    std::snprintf(message, sizeof message, "Not valid UTF-16");
  throw TextEncodingError(message);
}

int SizeOf(std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw TextEncodingError("Text too long");
  return static_cast<int>(size);
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = SizeOf(utf8.size());
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) ThrowInvalidUtf8(utf8);
  std::wstring utf16(static_cast<std::size_t>(n), L'\0');
  if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, utf16.data(), n) != n)
    ThrowInvalidUtf8(utf8);
  return utf16;
}

std::string Utf8FromUtf16(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = SizeOf(utf16.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) ThrowUnpairedSurrogate(utf16);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  if (::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size, utf8.data(), n, nullptr, nullptr) != n)
    ThrowUnpairedSurrogate(utf16);
  return utf8;
}

}  // namespace quarvel
