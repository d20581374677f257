// The yardstick for `quarvel-levels thumbnail`: a bare Qt program that starts an application
// on the offscreen platform and writes a PNG of a thumbnail's size, 219 x 256, and nothing
// else.
//   thumbnail_probe_bare OUT.png
#include <QGuiApplication>
#include <QImage>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QImage picture(219, 256, QImage::Format_RGB32);
  picture.fill(Qt::white);
  return picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
