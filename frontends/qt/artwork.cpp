#include "frontends/qt/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include "runtime/kepa_icon.h"
#include "frontends/qt/surface_image.h"

namespace kepa {

namespace {

// A camera viewfinder over a lens: corner brackets, a ring and the cross-hair of the
// clipping window.
void drawViewfinder(QPainter& p, double size, double stroke, const QColor& ring) {
  const double m = size * 0.12;
  const double arm = size * 0.24;
  QPen pen(QColor(255, 255, 255), stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const double far = size - m;
  const QPointF corners[4] = {{m, m}, {far, m}, {far, far}, {m, far}};
  for (int i = 0; i < 4; ++i) {
    const double sx = i == 0 || i == 3 ? 1.0 : -1.0;
    const double sy = i < 2 ? 1.0 : -1.0;
    QPainterPath bracket(corners[i] + QPointF(sx * arm, 0));
    bracket.lineTo(corners[i]);
    bracket.lineTo(corners[i] + QPointF(0, sy * arm));
    p.drawPath(bracket);
  }
  const double c = size / 2.0;
  pen.setColor(ring);
  p.setPen(pen);
  p.drawEllipse(QPointF(c, c), size * 0.17, size * 0.17);
  p.drawLine(QPointF(c, m + stroke * 2), QPointF(c, c - size * 0.07));
  p.drawLine(QPointF(c, c + size * 0.07), QPointF(c, far - stroke * 2));
  p.drawLine(QPointF(m + stroke * 2, c), QPointF(c - size * 0.07, c));
  p.drawLine(QPointF(c + size * 0.07, c), QPointF(far - stroke * 2, c));
}

// The lens behind the viewfinder: deep blue, lit from the upper left.
QRadialGradient lensOf(double size) {
  QRadialGradient lens(QPointF(size * 0.42, size * 0.38), size * 0.75);
  lens.setColorAt(0.0, QColor(0x30, 0x60, 0xd0));
  lens.setColorAt(0.55, QColor(0x10, 0x20, 0x90));
  lens.setColorAt(1.0, QColor(0x00, 0x00, 0x80));
  return lens;
}

}  // namespace

QImage splashArtwork() {
  constexpr int kSize = 161;
  QImage art(kSize, kSize, QImage::Format_RGB888);
  QPainter p(&art);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(art.rect(), lensOf(kSize));
  // A pale ring, so that the red caption drawn over the artwork stays legible.
  drawViewfinder(p, kSize, 5.0, QColor(0x90, 0xc8, 0xff));
  return art;
}

QIcon kepaWindowIcon() {
  return QIcon(QPixmap::fromImage(imageOf(kepaIcon()).copy()));
}

QImage kepaIconImage(int size) {
  if (size <= 16) return imageOf(kepaIcon()).copy();
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(lensOf(s));
  p.drawRoundedRect(QRectF(0.5, 0.5, s - 1.0, s - 1.0), s * 0.18, s * 0.18);
  drawViewfinder(p, s, std::max(1.0, s / 16.0), QColor(255, 0, 0));
  return icon;
}

QIcon settingsIcon() {
  constexpr int kSize = 16;
  QImage icon(kSize, kSize, QImage::Format_RGB32);
  icon.fill(QColor(0xC0, 0xC0, 0xC0));
  {
    QPainter p(&icon);
    const QColor bars[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    for (int k = 0; k < 3; ++k) {
      const int top = 2 + 5 * k;
      p.fillRect(1, top, 14, 3, Qt::black);
      p.fillRect(2, top + 1, 4 + 4 * k, 1, bars[k]);  // bars of three levels
    }
  }
  return QIcon(QPixmap::fromImage(icon));
}

}  // namespace kepa
