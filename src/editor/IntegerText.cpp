#include "editor/IntegerText.h"

namespace quarvel {

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

bool ReadInteger(std::u16string_view text, std::int32_t& value) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == u' ') ++i;
  if (i == n) return false;

  const char16_t first = text[i];
  bool hex = false;
  if (first == u'$' || first == u'x' || first == u'X') {
    hex = true;
    i += 1;
  } else if (first == u'0' && i + 1 < n && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (hex) {
    if (i == n) return false;
    std::uint64_t acc = 0;
    for (; i < n; ++i) {
      const int digit = HexDigit(text[i]);
      if (digit < 0) return false;
      acc = acc * 16 + static_cast<std::uint64_t>(digit);
      if (acc > 0xFFFFFFFFu) return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    return true;
  }

  bool negative = false;
  if (first == u'+' || first == u'-') {
    negative = first == u'-';
    ++i;
  }
  if (i == n) return false;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t acc = 0;
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (c < u'0' || c > u'9') return false;
    acc = acc * 10 + (c - u'0');
    if (acc > limit) return false;
  }
  value = static_cast<std::int32_t>(negative ? -acc : acc);
  return true;
}

std::int32_t FieldValue(std::u16string_view text, std::int32_t minValue) {
  std::int32_t v = 0;
  return ReadInteger(text, v) ? v : minValue;
}

std::int32_t ClampToField(std::int32_t v, std::int32_t minValue, std::int32_t maxValue) {
  if (minValue == maxValue) return v;
  if (v < minValue) return minValue;
  if (v > maxValue) return maxValue;
  return v;
}

bool LeavingClamps(std::u16string_view text, std::int32_t minValue, std::int32_t maxValue) {
  if (minValue >= maxValue) return false;
  const std::int32_t v = FieldValue(text, minValue);
  return v < minValue || v > maxValue;
}

std::int32_t StepValue(std::int32_t v, int delta) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) + static_cast<std::uint32_t>(delta));
}

std::u16string IntegerText(std::int32_t v) {
  const std::string digits = std::to_string(v);
  return std::u16string(digits.begin(), digits.end());
}

bool TypedTextAllowed(std::u16string_view text, std::u16string_view decimalSeparator) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
      i += decimalSeparator.size();
      continue;
    }
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') return false;
    const bool control = c < 0x20 || c == 0x7f;
    const bool digit = c >= u'0' && c <= u'9';
    if (!control && !digit && c != u'+' && c != u'-') return false;
    ++i;
  }
  return true;
}

}  // namespace quarvel
