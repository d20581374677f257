// files/win32/ConsoleText.h.

#include "files/win32/ConsoleText.h"

#include <algorithm>
#include <utility>

#include "files/win32/Utf16.h"

namespace quarvel::win32 {

DWORD WriteToConsole(HANDLE console, std::string& pending, std::span<const std::uint8_t> bytes) {
  std::string text = std::exchange(pending, {});
  text.append(bytes.begin(), bytes.end());
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto c = static_cast<unsigned char>(text[text.size() - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
    const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length > back) pending = text.substr(text.size() - back);
    break;
  }
  text.resize(text.size() - pending.size());
  std::wstring wide;
  try {
    wide = Utf16FromUtf8(text);
  } catch (const TextEncodingError&) {
    DWORD written = 0;
    if (text.empty()) return 0;
    if (!::WriteFile(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return ::GetLastError();
    return written == text.size() ? 0 : static_cast<DWORD>(ERROR_WRITE_FAULT);
  }
  for (std::size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 16384));
    if (!::WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return 0;
}

}  // namespace quarvel::win32
