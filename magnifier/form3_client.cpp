#include "magnifier/form3_client.h"

#include <algorithm>
#include <cstring>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/numeric.h"
#include "platform/qt/fonts.h"
#include "platform/qt/mouse_buttons.h"
#include "platform/qt/surface_image.h"

namespace kepa {

Form3Client::Form3Client(QWidget& frame, float twipsPerPixelX, float twipsPerPixelY,
                         MouseHandler mouseMove)
    : QWidget(&frame),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      mouseMove_(std::move(mouseMove)),
      image_(twipsToPixels(kWidthTwips, twipsPerPixelX),
             twipsToPixels(kHeightTwips, twipsPerPixelY), Colour(Colour::kButtonFace)),
      shown_(image_.width(), image_.height(), image_.backColor().pixel()) {
  resize(image_.width(), image_.height());
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Label1 = addLabel(QStringLiteral("X :"), 8, 240, 25, 17);
  LabelX = addLabel(QStringLiteral("Label3"), 40, 240, 89, 17);
  Label2 = addLabel(QStringLiteral("Y :"), 128, 240, 25, 17);
  LabelY = addLabel(QStringLiteral("Label4"), 160, 240, 57, 17);
}

// Positions are given in pixels at 15 twips per pixel, the design setting.
QLabel* Form3Client::addLabel(const QString& caption, float left, float top, float width,
                              float height) {
  auto* label = new QLabel(caption, this);
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

bool Form3Client::showsAlready(const Surface& square, std::int32_t width, std::int32_t height) {
  const QSize size(width, height);
  bool same = size == enlargedSize_ && square.width() == enlarged_.width() &&
              square.height() == enlarged_.height();
  for (std::int32_t y = 0; same && y < square.height(); ++y) {
    same = std::memcmp(square.row(y), enlarged_.row(y),
                       static_cast<std::size_t>(square.width()) * sizeof(std::uint32_t)) == 0;
  }
  if (same) return true;
  enlarged_ = Surface(square.width(), square.height());
  for (std::int32_t y = 0; y < square.height(); ++y)
    std::copy_n(square.row(y), square.width(), enlarged_.row(y));
  enlargedSize_ = size;
  return false;
}

void Form3Client::repaintChanged() {
  const Surface& image = image_.image();
  const auto rowBytes = static_cast<std::size_t>(image.width()) * sizeof(std::uint32_t);
  std::int32_t first = -1;
  std::int32_t last = -1;
  for (std::int32_t y = 0; y < image.height(); ++y) {
    if (std::memcmp(image.row(y), shown_.row(y), rowBytes) == 0) continue;
    std::memcpy(shown_.row(y), image.row(y), rowBytes);
    if (first < 0) first = y;
    last = y;
  }
  if (first >= 0) update(0, first, image.width(), last - first + 1);
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
