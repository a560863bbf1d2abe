#include "clip/form2_window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include "platform/qt/mouse_buttons.h"
#include "platform/qt/surface_image.h"

namespace kepa {

namespace {

QRegion outlineOf(const FrameShape& frame) {
  QRegion region;
  for (const Rect& edge : frame.edges()) {
    if (!edge.empty()) region += QRect(edge.x, edge.y, edge.width, edge.height);
  }
  return region;
}

QRect areaOf(const Picture& picture) {
  if (!picture.visible()) return {};
  return {picture.position().x, picture.position().y, picture.width(), picture.height()};
}

QColor qtColour(Colour colour) {
  return {colour.red(), colour.green(), colour.blue()};
}

}  // namespace

Form2Window::Form2Window(Surface screenImage, Handlers handlers)
    // Unmanaged by the window manager: exactly the screen's geometry, above its panels, and
    // no click spent on focusing the window.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint),
      image(std::move(screenImage)),
      handlers_(std::move(handlers)),
      cursorMask_(CrossHair::kSize, CrossHair::kSize, QImage::Format_RGB32) {
  Picture1.move({136, 8});
  Picture1.setVisible(false);
  Picture2.move({136, 112});
  Picture2.setVisible(false);
  for (int row = 0; row < CrossHair::kSize; ++row) {
    for (int column = 0; column < CrossHair::kSize; ++column) {
      cursorMask_.setPixel(column, row,
                           crossHair_.inverts(column, row) ? 0xFFFFFFFFU : 0xFF000000U);
    }
  }
  setGeometry(0, 0, image.width(), image.height());
  setMouseTracking(true);
  // The cross-hair inverts what lies beneath it, which an X11 cursor cannot: the canvas
  // paints it and the system pointer is hidden.
  setCursor(Qt::BlankCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Form2Window::changeShape1(const std::function<void(FrameShape&)>& change) {
  const QRegion before = outlineOf(shape1_);
  change(shape1_);
  update(before + outlineOf(shape1_));
}

void Form2Window::changePicture1(const std::function<void(Picture&)>& change) {
  const QRect before = areaOf(Picture1);
  change(Picture1);
  update(QRegion(before) + areaOf(Picture1));
}

void Form2Window::showOverScreen() {
  setGeometry(0, 0, image.width(), image.height());
  show();
  raise();
}

void Form2Window::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage captured = imageOf(image);
  for (const QRect& rect : event->region())
    painter.drawImage(rect.topLeft(), captured, rect);
  if (Picture1.visible() && !Picture1.image().empty()) {
    painter.drawImage(QPoint(Picture1.position().x, Picture1.position().y),
                      imageOf(Picture1.image()));
  }
  const QColor frameColour = qtColour(shape1_.borderColor);
  for (const Rect& edge : shape1_.edges()) {
    if (!edge.empty()) painter.fillRect(edge.x, edge.y, edge.width, edge.height, frameColour);
  }
  if (cursorShown_) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(cursorBox().topLeft(), cursorMask_);
  }
}

QRect Form2Window::cursorBox() const {
  return {cursorAt_ - QPoint(CrossHair::kHotspot.x, CrossHair::kHotspot.y),
          QSize(CrossHair::kSize, CrossHair::kSize)};
}

void Form2Window::moveCursorTo(QPoint at) {
  QRegion dirty;
  if (cursorShown_) dirty += cursorBox();
  cursorAt_ = at;
  cursorShown_ = true;
  update(dirty + cursorBox());
}

void Form2Window::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  handlers_.mouseDown(buttonsOf(event->button()), shiftOf(event->modifiers()),
                      static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  moveCursorTo(at.toPoint());
  handlers_.mouseMove(buttonsOf(event->buttons()), shiftOf(event->modifiers()),
                      static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  handlers_.mouseUp(buttonsOf(event->button()), shiftOf(event->modifiers()),
                    static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::leaveEvent(QEvent*) {
  if (!cursorShown_) return;
  cursorShown_ = false;
  update(cursorBox());
}

}  // namespace kepa
