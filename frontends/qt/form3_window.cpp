#include "frontends/qt/form3_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/numeric.h"
#include "frontends/qt/artwork.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/widget_of.h"
#include "magnifier/form3_design.h"

namespace kepa {

namespace {

// The frame: a one-pixel border and a caption 18 pixels high at 15 twips per pixel.
constexpr int kBorder = 1;
constexpr float kCaptionTwips = 270.0F;

const QColor kCaptionColour(0x00, 0x00, 0x80);  // the classic active caption, navy
const QColor kBorderColour(0x40, 0x40, 0x40);

}  // namespace

Form3Window::Form3Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint),
      Form3Face(twipsPerPixelX, twipsPerPixelY),
      handlers_(std::move(handlers)),
      timer1_(*this, [this] { handlers_.timer1(); }),
      client_(new Form3Client(
          *this, shownImage(), twipsPerPixelX, twipsPerPixelY,
          [this](int b, int s, float x, float y) { handlers_.mouseMove(b, s, x, y); })),
      captionHeight_(twipsToPixels(kCaptionTwips, twipsPerPixelY)) {
  setWindowTitle(QString::fromUtf8(kForm3Caption));
  setWindowIcon(kepaWindowIcon());
  client_->move(kBorder, kBorder + captionHeight_);
  setFixedSize(client_->width() + 2 * kBorder, client_->height() + captionHeight_ + 2 * kBorder);
}

void Form3Window::destroyLater() {
  destroyWidgetLater(*this);
}

Rect Form3Window::frameGeometry() const {
  const QRect frame = QWidget::frameGeometry();
  return {frame.x(), frame.y(), frame.width(), frame.height()};
}

void Form3Window::repaintClient(const Rect& area) {
  client_->update(area.x, area.y, area.width, area.height);
}

QRect Form3Window::captionRect() const {
  return {kBorder, kBorder, width() - 2 * kBorder, captionHeight_};
}

QRect Form3Window::closeButtonRect() const {
  const QRect caption = captionRect();
  const int side = caption.height() - 4;
  return {caption.right() - side - 1, caption.top() + 2, side, side};
}

void Form3Window::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBorderColour);
  const QRect caption = captionRect();
  painter.fillRect(caption, kCaptionColour);
  const int iconSide = caption.height() - 2;
  windowIcon().paint(&painter, caption.left() + 1, caption.top() + 1, iconSide, iconSide);
  QFont font(kGothicFamily);
  font.setPixelSize(std::max(8, caption.height() - 5));
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(caption.adjusted(iconSide + 5, 0, -caption.height(), 0),
                   Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
  const QRect button = closeButtonRect();
  painter.fillRect(button, QColor(0xC0, 0xC0, 0xC0));
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF cross = QRectF(button).adjusted(3.5, 3.5, -3.5, -3.5);
  painter.drawLine(cross.topLeft(), cross.bottomRight());
  painter.drawLine(cross.topRight(), cross.bottomLeft());
}

void Form3Window::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (closeButtonRect().contains(at)) return;  // closes on release over it
  if (captionRect().contains(at)) dragFrom_ = event->globalPosition().toPoint() - pos();
}

void Form3Window::mouseMoveEvent(QMouseEvent* event) {
  if (dragFrom_) QWidget::move(event->globalPosition().toPoint() - *dragFrom_);
}

void Form3Window::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool dragging = dragFrom_.has_value();
  dragFrom_.reset();
  if (!dragging && closeButtonRect().contains(event->position().toPoint())) close();
}

void Form3Window::closeEvent(QCloseEvent* event) {
  event->accept();
  handlers_.closed();
}

}  // namespace kepa
