#pragma once
// The integer field's rules apart from any window: how its text reads as a number, how a
// value is set (clamped to its range, written in decimal), how a step wraps, and which
// typed characters it takes. Both front ends' fields (TSpinEdit) follow them.

#include <cstdint>
#include <string>
#include <string_view>

namespace quarvel {

// The repeat of a held up or down button: first after 400 ms, then every 100 ms.
inline constexpr int kRepeatDelayMs = 400;
inline constexpr int kRepeatIntervalMs = 100;

// The read rule: leading blanks, then an optional sign and decimal digits within 32 bits,
// or (unsigned) "$", "x", "X", "0x" or "0X" and hex digits whose value fits 32 bits (at
// most 8 digits past any leading zeros), taken as signed. Blanks are spaces only.
// Nothing may follow. Returns false for any other text.
bool ReadInteger(std::u16string_view text, std::int32_t& value);

// The field's value: its text read as a number, or `minValue` when it reads as none.
std::int32_t FieldValue(std::u16string_view text, std::int32_t minValue);

// A value clamped to minValue..maxValue; a minimum equal to the maximum means no range.
std::int32_t ClampToField(std::int32_t v, std::int32_t minValue, std::int32_t maxValue);

// Whether leaving the field sets its value again: it has a range and its text reads
// outside it.
bool LeavingClamps(std::u16string_view text, std::int32_t minValue, std::int32_t maxValue);

// One step up (+1) or down (-1) from v, wrapping around in 32 bits: one up from
// 2147483647 is -2147483648.
std::int32_t StepValue(std::int32_t v, int delta);

// v in decimal, with a leading "-" when negative.
std::u16string IntegerText(std::int32_t v);

// What typing may put into the field: digits, signs, the locale's decimal separator and
// control characters other than a line end. Anything else is refused with a beep.
bool TypedTextAllowed(std::u16string_view text, std::u16string_view decimalSeparator);

}  // namespace quarvel
