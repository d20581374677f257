#pragma once
// Bytes as text: two lower-case hexadecimal digits each.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quarvel {

// "44 41 47 00" with the separator " ", "444147" with "".
inline std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * (2 + separator.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += separator;
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

}  // namespace quarvel
