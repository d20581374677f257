#pragma once
// The integer field: an edit box with small up and down buttons at its right end, a child
// window of class "TSpinEdit" holding an EDIT control. Its rules (reading, setting,
// stepping, typing) are editor/IntegerText.h's. A minimum equal to the maximum means the
// field has no range.

#include <cstdint>
#include <functional>
#include <string>

#include "win32/Window.h"

class TSpinEdit : public win32::TWindow {
 public:
  using ChangeHandler = std::function<void(TSpinEdit* Sender)>;

  // The repeat of a held up or down button: first after 400 ms, then every 100 ms.
  static constexpr UINT kRepeatDelayMs = 400;
  static constexpr UINT kRepeatIntervalMs = 100;
  static constexpr int kButtonWidth = 15;  // at 96 dpi

  // A field with `text`, of no size until it is placed; its parts follow its size.
  TSpinEdit(HWND parent, const wchar_t* text);
  ~TSpinEdit() override;

  void SetRange(std::int32_t minValue, std::int32_t maxValue);
  std::int32_t MinValue() const { return minValue_; }
  std::int32_t MaxValue() const { return maxValue_; }

  // The text read as a number, or MinValue() when it reads as none.
  std::int32_t Value() const;
  // Clamps v when the field has a range, writes it in decimal; only if the text changed,
  // runs the change handler before returning.
  void SetValue(std::int32_t v);

  std::wstring Text() const;
  // Sets the text without running the change handler (creation).
  void SetText(const std::wstring& text);

  // Runs after every change of the text by any means, once installed.
  void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

  HWND Editor() const { return edit_; }
  // Names the field after its label for screen readers: the field's own text, and a label
  // of no size just before its edit box, where the system looks for an edit box's name.
  void SetName(const std::wstring& name);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  enum class Part { None, Up, Down };
  static LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  LRESULT EditMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Step(int delta);
  void Changed();
  RECT PartRect(Part part) const;
  Part PartAt(POINT point) const;
  // The edit box inside the frame, beside the buttons.
  void LayoutParts();
  void Paint(HDC dc, const RECT& dirty) override;

  HWND edit_ = nullptr;
  UINT dpi_ = 96;  // its window's
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 0;
  ChangeHandler onChange_;
  bool settingText_ = false;  // EN_CHANGE from our own SetValue and SetText
  bool clicking_ = false;     // a mouse press in the edit box is giving it the focus
  Part held_ = Part::None;    // the button pressed and held
  bool heldDown_ = false;     // ... with the pointer over it
};
