#include "web/SpinEdit.h"

#include "editor/IntegerText.h"
#include "web/Page.h"

namespace web {

TSpinEdit::TSpinEdit(const char* form, const char* name, std::int32_t minValue, std::int32_t maxValue,
                     std::int32_t value)
    : form_(form), name_(name), min_(minValue), max_(maxValue), text_(quarvel::IntegerText(value)), repeat_([this] {
        if (over_) Step(held_);
      }) {}

std::int32_t TSpinEdit::Value() const { return quarvel::FieldValue(text_, min_); }

void TSpinEdit::SetValue(std::int32_t value) {
  std::u16string text = quarvel::IntegerText(quarvel::ClampToField(value, min_, max_));
  if (text == text_) return;
  text_ = std::move(text);
  SetFieldText(form_, name_, text_);
  if (OnChange) OnChange();
}

bool TSpinEdit::MayType(std::u16string_view inserted, std::u16string_view decimalSeparator) const {
  return quarvel::TypedTextAllowed(inserted, decimalSeparator);
}

void TSpinEdit::TextEdited(std::u16string text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (OnChange) OnChange();
}

void TSpinEdit::Step(int delta) { SetValue(quarvel::StepValue(Value(), delta)); }

void TSpinEdit::Leave() {
  if (quarvel::LeavingClamps(text_, min_, max_)) SetValue(Value());
}

void TSpinEdit::ButtonDown(int delta) {
  held_ = delta;
  over_ = true;
  repeat_.Start(quarvel::kRepeatDelayMs, quarvel::kRepeatIntervalMs);
}

void TSpinEdit::ButtonOver(bool over) { over_ = over; }

void TSpinEdit::ButtonUp(bool over) {
  repeat_.Stop();
  const int held = held_;
  held_ = 0;
  if (held != 0 && over) Step(held);
}

}  // namespace web
