#pragma once
// The one conversion between UTF-8 (every text inside the program) and UTF-16 (every text
// at Windows' calls) for the whole Windows side. It is exact or it refuses: UTF-8 that is
// not valid, or UTF-16 holding a surrogate without its pair, throws instead of becoming
// U+FFFD, since a name changed on its way would name another file.

#include <stdexcept>
#include <string>
#include <string_view>

namespace quarvel {

// What cannot be converted, and where: "Not valid UTF-8: byte 0xE9 at 3", "An unpaired
// UTF-16 surrogate: U+D800 at 5" (positions count bytes, or UTF-16 units, from 0).
class TextEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Both throw TextEncodingError; empty text converts to empty text.
std::wstring Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::wstring_view utf16);

}  // namespace quarvel
