#include "qt/widgets/SpinEdit.h"

#include <qdrawutil.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <utility>

#include "editor/IntegerText.h"
#include "qt/desktop/ActiveControl.h"
#include "qt/desktop/Beep.h"

namespace {

constexpr int kFrameWidth = 2;  // the sunken edge around edit box and buttons
constexpr int kButtonWidth = 15;

std::u16string_view View(const QString& text) {
  return std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

// What typing may put into the field (editor/IntegerText.h), with the locale's decimal
// separator.
bool TypedTextAllowed(const QString& text) {
  const QString decimalPoint = QLocale().decimalPoint();
  return quarvel::TypedTextAllowed(View(text), View(decimalPoint));
}

// The edit box of the field. It filters typed characters, turns Up and Down into steps
// and selects its whole text when the focus comes in other than by a click.
class FieldEdit final : public QLineEdit {
 public:
  explicit FieldEdit(QWidget* parent) : QLineEdit(parent) {}

  std::function<void(int delta)> onStep;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      event->accept();
      if (onStep) onStep(key == Qt::Key_Up ? 1 : -1);
      return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter is a refused character: it neither edits nor reaches a default button.
      event->accept();
      SystemBeep();
      return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shortcut = (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
    if (!shortcut && !event->text().isEmpty() && !TypedTextAllowed(event->text())) {
      event->accept();
      SystemBeep();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    if (!event->commitString().isEmpty() && !TypedTextAllowed(event->commitString())) {
      event->accept();
      SystemBeep();
      return;
    }
    QLineEdit::inputMethodEvent(event);
  }

  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    // A click into the text places the caret; coming back to the window or out of a menu
    // keeps the selection; any other way in selects the whole text.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason)
      selectAll();
  }
};

// A small up or down button in the classic raised look with a black arrow glyph.
class ArrowButton final : public QAbstractButton {
 public:
  ArrowButton(bool up, QWidget* parent) : QAbstractButton(parent), up_(up) { setFocusPolicy(Qt::NoFocus); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    qDrawWinButton(&p, rect(), pal, isDown(), &pal.brush(QPalette::Button));

    // The glyph: three rows of 5, 3 and 1 pixels, centred, nudged by one when pressed.
    const int shift = isDown() ? 1 : 0;
    const int cx = width() / 2 + shift;
    const int top = (height() - 3) / 2 + shift;
    auto drawGlyph = [&](int dx, int dy, const QColor& color) {
      for (int row = 0; row < 3; ++row) {
        const int half = up_ ? row : 2 - row;
        p.fillRect(cx - half + dx, top + row + dy, 2 * half + 1, 1, color);
      }
    };
    if (isEnabled()) {
      drawGlyph(0, 0, pal.color(QPalette::ButtonText));
    } else {
      drawGlyph(1, 1, pal.color(QPalette::Light));
      drawGlyph(0, 0, pal.color(QPalette::Dark));
    }
  }

 private:
  bool up_;
};

}  // namespace

struct TSpinEdit::Private {
  FieldEdit* edit = nullptr;
  ArrowButton* up = nullptr;
  ArrowButton* down = nullptr;
  QTimer* repeat = nullptr;
  ArrowButton* held = nullptr;  // the button whose press started the repeat
  std::int32_t minValue = 0;
  std::int32_t maxValue = 0;
  ChangeHandler onChange;
};

TSpinEdit::TSpinEdit(QWidget* parent) : QWidget(parent), d(new Private) {
  d->edit = new FieldEdit(this);
  d->edit->setFrame(false);
  d->edit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
  d->edit->setText(QStringLiteral("0"));
  d->up = new ArrowButton(true, this);
  d->down = new ArrowButton(false, this);
  d->repeat = new QTimer(this);

  // One control for the focus chain: the edit box takes the focus for the whole field. The
  // field takes it by Tab only (which also lets QWidget::setTabOrder place it), so a press
  // on a button is not taken for a click into the text.
  // (The policy is set before the proxy, as setting it later would pass it on to the edit.)
  setFocusPolicy(Qt::TabFocus);
  setFocusProxy(d->edit);
  d->edit->setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);

  d->edit->onStep = [this](int delta) {
    SetValue(quarvel::StepValue(Value(), delta));  // wraps around in 32 bits
  };
  // Leaving: the focus lands on another control of this window, whatever it passed through
  // on the way (the menu bar, a popup, a message box). A switch to another window, a menu
  // or a dialog alone is no leaving.
  connect(&TActiveControlWatch::Instance(), &TActiveControlWatch::Changed, this,
          [this](QWidget* window, QWidget* old, QWidget* now) {
            if (old != d->edit || now == d->edit || window != this->window()) return;
            if (quarvel::LeavingClamps(View(d->edit->text()), d->minValue, d->maxValue)) SetValue(Value());
          });

  connect(d->edit, &QLineEdit::textChanged, this, [this] {
    if (d->onChange) d->onChange(this);
  });

  for (ArrowButton* button : {d->up, d->down}) {
    const int delta = button == d->up ? 1 : -1;
    connect(button, &QAbstractButton::pressed, this, [this, button] {
      if (!d->edit->hasFocus()) d->edit->setFocus(Qt::OtherFocusReason);
      d->held = button;
      d->repeat->start(kRepeatDelayMs);
    });
    connect(button, &QAbstractButton::released, this, [this] {
      d->repeat->stop();
      d->held = nullptr;
    });
    connect(button, &QAbstractButton::clicked, this, [this, delta] { d->edit->onStep(delta); });
  }
  connect(d->repeat, &QTimer::timeout, this, [this] {
    d->repeat->setInterval(kRepeatIntervalMs);
    if (d->held && d->held->isDown()) d->edit->onStep(d->held == d->up ? 1 : -1);
  });

  resize(65, 22);
}

TSpinEdit::~TSpinEdit() {
  // The children go first, while the state their callbacks reach is still alive.
  d->onChange = nullptr;
  delete d->edit;
  delete d->up;
  delete d->down;
  delete d;
}

void TSpinEdit::SetRange(std::int32_t minValue, std::int32_t maxValue) {
  d->minValue = minValue;
  d->maxValue = maxValue;
}

std::int32_t TSpinEdit::MinValue() const { return d->minValue; }
std::int32_t TSpinEdit::MaxValue() const { return d->maxValue; }

bool TSpinEdit::ReadInteger(const QString& text, std::int32_t& value) {
  return quarvel::ReadInteger(View(text), value);
}

std::int32_t TSpinEdit::Value() const { return quarvel::FieldValue(View(d->edit->text()), d->minValue); }

void TSpinEdit::SetValue(std::int32_t v) {
  v = quarvel::ClampToField(v, d->minValue, d->maxValue);
  const QString text = QString::number(v);
  if (text == d->edit->text()) return;
  d->edit->setText(text);  // textChanged runs the change handler
  ShowStartUnlessFocused();
}

QString TSpinEdit::Text() const { return d->edit->text(); }

void TSpinEdit::SetText(const QString& text) {
  d->edit->setText(text);
  ShowStartUnlessFocused();
}

void TSpinEdit::ShowStartUnlessFocused() {
  // A field not being typed into shows the start of a text too long for it, not its end.
  if (!d->edit->hasFocus()) d->edit->setCursorPosition(0);
}

void TSpinEdit::SetOnChange(ChangeHandler handler) { d->onChange = std::move(handler); }

QLineEdit* TSpinEdit::Editor() const { return d->edit; }
QAbstractButton* TSpinEdit::UpButton() const { return d->up; }
QAbstractButton* TSpinEdit::DownButton() const { return d->down; }
QTimer* TSpinEdit::RepeatTimer() const { return d->repeat; }

void TSpinEdit::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QBrush& fill = isEnabled() ? pal.brush(QPalette::Base) : pal.brush(QPalette::Window);
  qDrawWinPanel(&p, rect(), pal, true, &fill);
}

void TSpinEdit::resizeEvent(QResizeEvent*) {
  const QRect inner = rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
  const int buttonWidth = qMin(kButtonWidth, qMax(0, inner.width()));
  const int upHeight = inner.height() / 2;
  const int buttonLeft = inner.right() + 1 - buttonWidth;
  d->edit->setGeometry(inner.left(), inner.top(), inner.width() - buttonWidth, inner.height());
  d->up->setGeometry(buttonLeft, inner.top(), buttonWidth, upHeight);
  d->down->setGeometry(buttonLeft, inner.top() + upHeight, buttonWidth, inner.height() - upHeight);
}

void TSpinEdit::wheelEvent(QWheelEvent* event) {
  // The wheel does not step the field, and it goes no further either.
  event->accept();
}

QSize TSpinEdit::sizeHint() const { return QSize(65, qMax(22, fontMetrics().height() + 2 * kFrameWidth + 4)); }

void SetFieldName(TSpinEdit* field, const QString& name) {
  field->setAccessibleName(name);
  field->Editor()->setAccessibleName(name);
  field->UpButton()->setAccessibleName(name + QStringLiteral(" up"));
  field->DownButton()->setAccessibleName(name + QStringLiteral(" down"));
}
