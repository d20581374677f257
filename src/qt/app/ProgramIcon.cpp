#include "qt/app/ProgramIcon.h"

// 32 x 32, at most 16 colours; "." is not used: the icon is opaque throughout.
#include "picture/ProgramIcon.xpm"

QImage ProgramIconImage() {
  static const QImage image = QImage(program_icon_xpm).convertToFormat(QImage::Format_ARGB32);
  return image;
}

QIcon ProgramIcon() { return QIcon(QPixmap::fromImage(ProgramIconImage())); }
