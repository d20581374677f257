#include "qt/widgets/MainMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

#include "qt/painting/GridPainting.h"

namespace {
constexpr qreal kNudge = 1e-9;  // 17 x 1.5 is 25.5 even after rounding errors
}  // namespace

namespace {

// Watches the whole program's keys for F10 in the menu bar's window. A watcher of its own:
// the menu bar itself comes and goes as a filter of the application's while Alt is down.
class TF10Watch : public QObject {
 public:
  explicit TF10Watch(TMainMenu* menu) : QObject(menu), menu_(menu) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !menu_->isVisible()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto* widget = qobject_cast<QWidget*>(watched);
    // F10 in the menu bar's window, not in one of its menus (Qt hands a key to the widget
    // and then to its parents: each of them shows it here).
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier || !widget ||
        widget->window() != menu_->window() || QApplication::activePopupWidget() || QApplication::activeModalWidget())
      return false;
    if (!key->isAutoRepeat()) menu_->ToggleKeyboard();
    return true;
  }

 private:
  TMainMenu* menu_;
};

}  // namespace

TMainMenu::TMainMenu(QWidget* parent) : QMenuBar(parent) { new TF10Watch(this); }

void TMainMenu::ToggleKeyboard() {
  // Qt keeps the keyboard mode of a menu bar to itself and enters it on Alt alone: the
  // focused control is handed a press and release of Alt, as the keyboard would.
  QWidget* focus = window()->focusWidget();
  if (!focus) focus = window();
  QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  for (QKeyEvent* event : {&override, &press, &release}) QCoreApplication::sendEvent(focus, event);
}

void TMainMenu::paintEvent(QPaintEvent* event) {
  QMenuBar::paintEvent(event);
  // The line under the menu bar, in the style's dark colour: the whole width, over the menu
  // titles, which at a fractional scale reach into it, in whole device pixels and as thick
  // as a grid line at the same scale.
  QPainter painter(this);
  const QTransform toDevice = painter.deviceTransform();
  const QRectF area = toDevice.mapRect(QRectF(rect()));
  const int left = int(std::ceil(area.left() - kNudge)), right = int(std::floor(area.right() + kNudge));
  const int bottom = int(std::floor(area.bottom() + kNudge));  // the first device row below the bar
  const int thickness = GridPainting::Geometry(devicePixelRatioF()).line;
  painter.setWorldTransform(toDevice.inverted());  // from here on, device pixels
  painter.fillRect(QRect(left, bottom - thickness, right - left, thickness), palette().color(QPalette::Dark));
}
