#include "tools/tour/tour_picture.h"

#include <QLinearGradient>
#include <QPainter>

namespace kepa::tour {

namespace {

void drawWindow(QPainter& p, QRect frame, const QString& title, QColor accent) {
  p.fillRect(frame.adjusted(4, 4, 4, 4), QColor(0, 0, 0, 70));  // a soft shadow
  p.fillRect(frame, QColor(0xF4, 0xF4, 0xF0));
  p.fillRect(QRect(frame.topLeft(), QSize(frame.width(), 24)), accent);
  p.setPen(Qt::white);
  QFont caption(QStringLiteral("IPAPGothic"));
  caption.setPixelSize(14);
  caption.setBold(true);
  p.setFont(caption);
  p.drawText(frame.adjusted(8, 0, 0, 0).topLeft() + QPoint(0, 17), title);
}

}  // namespace

QImage tourPicture(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, size.width(), size.height());
  sky.setColorAt(0.0, QColor(0x1D, 0x3B, 0x6E));
  sky.setColorAt(0.6, QColor(0x3F, 0x8F, 0xB5));
  sky.setColorAt(1.0, QColor(0xF2, 0xC1, 0x6B));
  p.fillRect(picture.rect(), sky);

  // A photo-like window: colour ramps and circles.
  const QRect photo(60, 60, 420, 300);
  drawWindow(p, photo, QStringLiteral("写真 - kepa tour"), QColor(0xC0, 0x39, 0x2B));
  const QRect inside = photo.adjusted(10, 34, -10, -10);
  for (int x = 0; x < inside.width(); ++x) {
    const double t = static_cast<double>(x) / inside.width();
    p.fillRect(inside.left() + x, inside.top(), 1, inside.height() / 2,
               QColor::fromHsvF(t, 0.85, 0.95));
    p.fillRect(inside.left() + x, inside.top() + inside.height() / 2, 1, inside.height() / 2,
               QColor::fromHsvF(t, 0.35, 0.55 + 0.4 * t));
  }
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 5; ++k) {
    p.setBrush(QColor::fromHsv(k * 60, 200, 250));
    p.drawEllipse(QPoint(inside.left() + 50 + 75 * k, inside.center().y()), 28, 28);
  }

  // A text window.
  const QRect text(540, 110, 420, 250);
  drawWindow(p, text, QStringLiteral("メモ"), QColor(0x27, 0x6F, 0xBF));
  QFont body(QStringLiteral("IPAPGothic"));
  body.setPixelSize(20);
  p.setFont(body);
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.drawText(text.adjusted(16, 40, -16, -16), Qt::TextWordWrap,
             QStringLiteral("kepa はスクリ－ンを凍らせて、領域を切り取ります。\n"
                            "Freeze the screen, drag a region, and save, copy or play "
                            "with it."));

  // A chart window.
  const QRect chart(160, 420, 520, 280);
  drawWindow(p, chart, QStringLiteral("グラフ"), QColor(0x1E, 0x84, 0x49));
  const int bars[] = {120, 180, 90, 210, 150, 60, 170};
  for (int k = 0; k < 7; ++k) {
    p.fillRect(chart.left() + 30 + 68 * k, chart.bottom() - 20 - bars[k], 44, bars[k],
               QColor::fromHsv(200 + 20 * k, 180, 200));
  }
  return picture;
}

}  // namespace kepa::tour
