#include "frontends/qt/form3_client.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "core/design_pixels.h"
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
  for (const Form3LabelDesign& design : kForm3Labels) {
    QtLabel* label = addLabel(design);
    switch (design.label) {
      case Form3Label::Label1:
        Label1 = label;
        break;
      case Form3Label::LabelX:
        LabelX = label;
        break;
      case Form3Label::Label2:
        Label2 = label;
        break;
      case Form3Label::LabelY:
        LabelY = label;
        break;
    }
  }
}

QtLabel* Form3Client::addLabel(const Form3LabelDesign& design) {
  auto* label = new QtLabel(QString::fromUtf8(design.caption), this);
  const Rect at = designToPixels(design.rect, twipsPerPixelX_, twipsPerPixelY_);
  label->setGeometry(at.x, at.y, at.width, at.height);
  QFont font(kGothicFamily);
  font.setPointSizeF(kForm3LabelFont.points);
  font.setBold(kForm3LabelFont.bold);
  label->setFont(font);
  // The window's own colours, not the desktop theme's: black on the grey the view is drawn on,
  // readable on a dark theme too.
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  colours.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  label->setPalette(colours);
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
