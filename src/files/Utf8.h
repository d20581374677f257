#pragma once
// UTF-8 as the program checks it: whole sequences only, no overlong forms, no surrogates,
// nothing above U+10FFFF.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quarvel {

// The length of the valid UTF-8 sequence at the start of `text`, 0 when there is none.
inline std::size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto c0 = static_cast<unsigned char>(text[0]);
  if (c0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (c0 >= 0xC2 && c0 <= 0xDF) {
    length = 2;
  } else if (c0 >= 0xE0 && c0 <= 0xEF) {
    length = 3;
    if (c0 == 0xE0) low = 0xA0;   // no overlong forms
    if (c0 == 0xED) high = 0x9F;  // no surrogates
  } else if (c0 >= 0xF0 && c0 <= 0xF4) {
    length = 4;
    if (c0 == 0xF0) low = 0x90;
    if (c0 == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  const auto c1 = static_cast<unsigned char>(text[1]);
  if (c1 < low || c1 > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return length;
}

// The code point of the valid sequence of `length` bytes at the start of `text`.
inline std::uint32_t Utf8CodePoint(std::string_view text, std::size_t length) {
  constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t code = static_cast<unsigned char>(text[0]) & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return code;
}

}  // namespace quarvel
