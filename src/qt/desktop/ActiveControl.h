#pragma once
// The active control of a window: the control that holds its keyboard focus for the user,
// as opposed to Qt's focus widget. While the menu bar holds the keyboard (after Alt, or a
// menu closed with Escape) the control that had the focus before stays the active one;
// a popup, a message box or another window taking the focus changes nothing either.

#include <QObject>
#include <QPointer>

class QWidget;

// The window's active control, or null when it has none.
QWidget* ActiveControl(const QWidget* window);

// Tells when the active control of a window changes: Changed(window, old, now) runs for
// every move of the keyboard focus between two controls of one window, however long the
// way (through the menu bar, a popup, a message box, another window).
class TActiveControlWatch : public QObject {
  Q_OBJECT
 public:
  static TActiveControlWatch& Instance();

 signals:
  void Changed(QWidget* window, QWidget* old, QWidget* now);

 private:
  TActiveControlWatch();
  void FocusChanged(QWidget* old, QWidget* now);
};
