#pragma once
// The integer field in the page: an <input> with up and down buttons, on the field's rules
// (editor/IntegerText). Its text lives here; the page shows it and reports what the user
// does to it.

#include <cstdint>
#include <functional>
#include <string>

#include "web/Timer.h"

namespace web {

class TSpinEdit {
 public:
  TSpinEdit(const char* form, const char* name, std::int32_t minValue, std::int32_t maxValue, std::int32_t value);

  const char* Name() const { return name_; }
  std::int32_t Value() const;
  const std::u16string& Text() const { return text_; }
  // Clamped to the range; the change handler runs when, and only when, the text changes.
  void SetValue(std::int32_t value);
  std::function<void()> OnChange;

  // What the user does, as the page reports it.
  bool MayType(std::u16string_view inserted, std::u16string_view decimalSeparator) const;  // else beep
  void TextEdited(std::u16string text);
  void Step(int delta);
  void Leave();  // the focus moved to another control of its window
  void ButtonDown(int delta);
  void ButtonOver(bool over);
  void ButtonUp(bool over);

 private:
  const char* form_;
  const char* name_;
  std::int32_t min_, max_;
  std::u16string text_;
  int held_ = 0;  // the held button: +1 up, -1 down
  bool over_ = false;
  Timer repeat_;
};

}  // namespace web
