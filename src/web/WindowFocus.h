#pragma once
// A window's integer fields and its active control, the one that holds or last held the
// keyboard focus within it: a field that the focus leaves for another control of its own
// window clamps its value (a menu, a box or another window does not count).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "web/SpinEdit.h"

namespace web {

class TWindowFocus {
 public:
  TSpinEdit* AddField(std::unique_ptr<TSpinEdit> field) {
    fields_.push_back(std::move(field));
    return fields_.back().get();
  }
  TSpinEdit* Field(std::string_view name) const {
    for (const auto& field : fields_)
      if (name == field->Name()) return field.get();
    return nullptr;
  }
  // The control `name` took the focus; false when it already was the active one.
  bool Focused(std::string_view name) {
    if (name == active_) return false;
    if (TSpinEdit* left = Field(active_)) left->Leave();
    active_ = name;
    return true;
  }

 private:
  std::vector<std::unique_ptr<TSpinEdit>> fields_;
  std::string active_;  // none until the page first focuses a control
};

}  // namespace web
