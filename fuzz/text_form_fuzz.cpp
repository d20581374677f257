// libFuzzer target for the text form. For any bytes: the parser accepts them or throws a
// TextFormError whose line and column lie within the text (no other exception, no crash);
// what it accepts round-trips: its bytes decode to the same set, its canonical text parses
// to the same set again, and that text is its own canonical text. The same bytes taken as
// a level set file, when the reader accepts them, come back from their text byte for byte.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "FuzzCheck.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/TextForm.h"

using namespace quarvel;

namespace {

void CheckText(std::string_view text) {
  SetImage image;
  try {
    image = ParseTextForm(text);
  } catch (const TextFormError& error) {
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    FUZZ_CHECK(error.Line >= 1 && error.Line <= lines + 2);
    FUZZ_CHECK(error.Column >= 1 && static_cast<std::size_t>(error.Column) <= text.size() + 1);
    FUZZ_CHECK(std::string_view(error.what()).starts_with("Expected "));
    return;
  }
  // Memory stays in proportion to the text: a record takes a line of its own at least.
  FUZZ_CHECK(image.Records.size() <= text.size() / 8);
  const auto bytes = EncodeSetBytes(image);
  FUZZ_CHECK(DecodeSetBytes(bytes) == image);
  const std::string canonical = WriteTextForm(image);
  const SetImage again = ParseTextForm(canonical);
  FUZZ_CHECK(again == image);
  FUZZ_CHECK(WriteTextForm(again) == canonical);
}

void CheckFile(std::span<const std::uint8_t> bytes) {
  SetImage image;
  try {
    image = DecodeSetBytes(bytes);
  } catch (const EInOutError&) {
    return;  // refused by the reader: nothing to export
  }
  const auto back = EncodeSetBytes(ParseTextForm(WriteTextForm(image)));
  FUZZ_CHECK(std::equal(back.begin(), back.end(), bytes.begin(), bytes.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckFile({data, size});
  return 0;
}
