#pragma once
// Text for a console, for the standard streams of files/SystemFiles.h.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace quarvel::win32 {

// Writes UTF-8 text to a console as UTF-16 (WriteConsoleW), so that it shows whatever the
// console's code page, which is never changed: it belongs to every program on the console.
// A sequence split between two writes waits in `pending` for its end. Bytes that are no
// UTF-8 go as they are, as to a file. Returns 0 or the error number.
DWORD WriteToConsole(HANDLE console, std::string& pending, std::span<const std::uint8_t> bytes);

}  // namespace quarvel::win32
