#pragma once
// The integer field: an edit box with small up and down buttons at its right end.
// Its value is its text read as a whole number (ReadInteger), or its minimum when the
// text reads as none. A minimum equal to the maximum means the field has no range.

#include <QWidget>
#include <cstdint>
#include <functional>

class QLineEdit;
class QAbstractButton;
class QTimer;

class TSpinEdit : public QWidget {
  Q_OBJECT
 public:
  using ChangeHandler = std::function<void(TSpinEdit* Sender)>;

  explicit TSpinEdit(QWidget* parent = nullptr);  // text "0"
  ~TSpinEdit() override;

  // Default range 0, 0: no range.
  void SetRange(std::int32_t minValue, std::int32_t maxValue);
  std::int32_t MinValue() const;
  std::int32_t MaxValue() const;

  // The read rule: leading blanks, then an optional sign and decimal digits within 32 bits,
  // or (unsigned) "$", "x", "X", "0x" or "0X" and hex digits whose value fits 32 bits (at
  // most 8 digits past any leading zeros), taken as signed. Blanks are spaces only.
  // Nothing may follow. Returns false for any other text.
  static bool ReadInteger(const QString& text, std::int32_t& value);

  // The text read as a number, or MinValue() when it reads as none.
  std::int32_t Value() const;
  // Clamps v when the field has a range, writes it in decimal; only if the text changed,
  // runs the change handler before returning.
  void SetValue(std::int32_t v);

  QString Text() const;
  // Sets the text before the change handler is installed (creation), or as a paste would.
  void SetText(const QString& text);

  // Runs after every change of the text by any means, once installed.
  void SetOnChange(ChangeHandler handler);

  QLineEdit* Editor() const;
  QAbstractButton* UpButton() const;
  QAbstractButton* DownButton() const;

  // The repeat of a held up or down button: first after 400 ms, then every 100 ms.
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;
  // The timer behind that repeat; it runs only while a button is held. Each timeout steps
  // once if the held button is still down (pointer over it). Tests fire it by hand.
  QTimer* RepeatTimer() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  QSize sizeHint() const override;

 private:
  void ShowStartUnlessFocused();

  struct Private;
  Private* d;
};

// Names an integer field after its label, for screen readers: the field, its edit box and
// its two buttons.
void SetFieldName(TSpinEdit* field, const QString& name);
