#include "cli/FileNames.h"

#include <cstdint>

#include "files/HexBytes.h"

namespace quarvel_cli {

namespace {

std::string Hex(std::string_view bytes) {
  return quarvel::HexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, "");
}

}  // namespace

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t n = Utf8SequenceLength(text);
    if (n == 0) return false;
    text.remove_prefix(n);
  }
  return true;
}

namespace {

// Copies `text`, its UTF-8 sequences of two bytes or more as they are; every other byte
// (ASCII, or a byte that is not UTF-8) goes through `escape(byte, isUtf8)`.
template <typename Escape>
std::string Escaped(std::string_view text, Escape escape) {
  std::string out = "\"";
  while (!text.empty()) {
    const std::size_t n = Utf8SequenceLength(text);
    if (n > 1) {
      out.append(text.substr(0, n));
      text.remove_prefix(n);
      continue;
    }
    out += escape(static_cast<unsigned char>(text.front()), n == 1);
    text.remove_prefix(1);
  }
  return out + "\"";
}

// The escapes both forms share; empty for a byte that has none of them.
std::string CommonEscape(unsigned char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    default:
      return {};
  }
}

}  // namespace

std::string ShownName(std::string_view name, std::string_view reserved) {
  bool plain = !name.empty() && name.front() != '"' && name.find(": ") == std::string_view::npos && name != reserved &&
               IsUtf8(name);
  for (char ch : name) plain = plain && static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F;
  if (plain) return std::string(name);
  return Escaped(name, [](unsigned char c, bool utf8) {
    if (std::string common = CommonEscape(c); !common.empty()) return common;
    if (c == '\r') return std::string("\\r");
    if (!utf8 || c < 0x20 || c == 0x7F) return "\\x" + Hex(std::string(1, static_cast<char>(c)));
    return std::string(1, static_cast<char>(c));
  });
}

std::string JsonString(std::string_view text) {
  return Escaped(text, [](unsigned char c, bool utf8) {
    if (!utf8) return std::string("\\ufffd");
    if (std::string common = CommonEscape(c); !common.empty()) return common;
    if (c < 0x20) return "\\u00" + Hex(std::string(1, static_cast<char>(c)));
    return std::string(1, static_cast<char>(c));
  });
}

std::string JsonNameMember(std::string_view key, std::string_view name) {
  std::string member = JsonString(key) + ": " + JsonString(name);
  if (IsUtf8(name)) return member;
  return member + ", " + JsonString(std::string(key) + "_hex") + ": \"" + Hex(name) + "\"";
}

}  // namespace quarvel_cli
