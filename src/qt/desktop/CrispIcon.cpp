#include "qt/desktop/CrispIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

class TCrispIconEngine : public QIconEngine {
 public:
  explicit TCrispIconEngine(QImage picture) : picture_(std::move(picture)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    return QPixmap::fromImage(picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap scaled = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
    scaled.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), scaled);
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override { return size; }
  QIconEngine* clone() const override { return new TCrispIconEngine(picture_); }

 private:
  QImage picture_;
};

}  // namespace

QIcon CrispIcon(const QImage& picture) { return QIcon(new TCrispIconEngine(picture)); }
