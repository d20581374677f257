#pragma once
// File names as reports show them. A name is any bytes but '/' and NUL, so it may hold a
// newline, ": " or bytes that are not UTF-8; the text form quotes such a name, and the
// JSON form carries its bytes as well when they are not UTF-8.

#include <string>
#include <string_view>

#include "files/Utf8.h"

namespace quarvel_cli {

using quarvel::Utf8SequenceLength;
bool IsUtf8(std::string_view text);

// The name as it is when it cannot be mistaken for anything else in a line of the form
// "NAME: ...": otherwise in double quotes with C escapes (\n, \t, \", \\, \xHH for a control
// byte or a byte that is not UTF-8). Empty names, names holding ": ", names starting with a
// quote and `reserved` (a word a report uses in place of a name) are quoted too.
std::string ShownName(std::string_view name, std::string_view reserved = {});

// A JSON string, quotes included, always valid UTF-8: a byte that is not UTF-8 becomes
// U+FFFD.
std::string JsonString(std::string_view text);

// `"KEY": NAME` for a JSON object; when NAME is not UTF-8, `, "KEY_hex": "..."` follows
// with its bytes in hexadecimal, so that the name can be recovered exactly.
std::string JsonNameMember(std::string_view key, std::string_view name);

}  // namespace quarvel_cli
