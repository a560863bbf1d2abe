#include "frontends/qt/form3_client.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "core/numeric.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/mouse_buttons.h"
#include "frontends/qt/surface_image.h"

namespace kepa {

Form3Client::Form3Client(QWidget& frame, const Surface& shown, float twipsPerPixelX,
                         float twipsPerPixelY, MouseHandler mouseMove)
    : QWidget(&frame),
      shown_(shown),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      mouseMove_(std::move(mouseMove)) {
  resize(shown.width(), shown.height());
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Label1 = addLabel(QStringLiteral("X :"), 8, 240, 25, 17);
  LabelX = addLabel(QStringLiteral("Label3"), 40, 240, 89, 17);
  Label2 = addLabel(QStringLiteral("Y :"), 128, 240, 25, 17);
  LabelY = addLabel(QStringLiteral("Label4"), 160, 240, 57, 17);
}

// Positions are given in pixels at 15 twips per pixel, the design setting.
QtLabel* Form3Client::addLabel(const QString& caption, float left, float top, float width,
                               float height) {
  auto* label = new QtLabel(caption, this);
  label->setGeometry(twipsToPixels(left * 15.0F, twipsPerPixelX_),
                     twipsToPixels(top * 15.0F, twipsPerPixelY_),
                     twipsToPixels(width * 15.0F, twipsPerPixelX_),
                     twipsToPixels(height * 15.0F, twipsPerPixelY_));
  QFont font(kGothicFamily);
  font.setPointSize(12);
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  // The pointer over a label is not over the client area: its moves stay with the label.
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

void Form3Client::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage shown = imageOf(shown_);
  for (const QRect& rect : event->region())
    painter.drawImage(rect.topLeft(), shown, rect);
}

void Form3Client::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  mouseMove_(buttonsOf(event->buttons()), shiftOf(event->modifiers()), static_cast<float>(at.x()),
             static_cast<float>(at.y()));
}

}  // namespace kepa
