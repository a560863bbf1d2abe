#include "clip/form2_window.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

#include "clip/region_drop.h"
#include "platform/numeric.h"
#include "platform/qt/mouse_buttons.h"
#include "platform/qt/surface_image.h"
#include "platform/qt/wayland_session.h"

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

Form2Window::Form2Window(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY,
                         Handlers handlers)
    // Unmanaged by the window manager: exactly the screen's geometry, above its panels, and
    // no click spent on focusing the window. A Wayland compositor keeps its panels above
    // unmanaged windows but not above a full-screen one.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           (inWaylandSession() ? Qt::Widget : Qt::X11BypassWindowManagerHint)),
      image(std::move(screenImage)),
      handlers_(std::move(handlers)),
      cursorMask_(CrossHair::kSize, CrossHair::kSize, QImage::Format_RGB32) {
  CMD.owner = this;
  const auto place = [&](Picture& picture, float left, float top, float width, float height) {
    picture.setSize(twipsToPixels(width, twipsPerPixelX), twipsToPixels(height, twipsPerPixelY));
    picture.move({twipsToPixels(left, twipsPerPixelX), twipsToPixels(top, twipsPerPixelY)});
    picture.setVisible(false);
  };
  place(Picture1, 2040, 120, 1815, 1335);
  place(Picture2, 2040, 1680, 1815, 1215);
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
  if (DirectWindowPainter::available(image)) {
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    direct_ = std::make_unique<DirectWindowPainter>(*this);
  }
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

void Form2Window::replaceImage(Surface screenImage) {
  image = std::move(screenImage);
  update();
}

void Form2Window::showOverScreen() {
  setGeometry(0, 0, image.width(), image.height());
  if (!windowFlags().testFlag(Qt::X11BypassWindowManagerHint)) {
    setWindowState(windowState() | Qt::WindowFullScreen);
  }
  show();
  raise();
  showCursorWherePointerIs();
}

void Form2Window::showCursorWherePointerIs() {
  const QPoint at = mapFromGlobal(QCursor::pos());
  if (rect().contains(at)) moveCursorTo(at);
}

void Form2Window::enterEvent(QEnterEvent* event) {
  // The pointer comes back onto the window (a menu or a dialog above it closed, or it came
  // from another monitor's edge): the cross-hair shows at once, not at the next move.
  moveCursorTo(event->position().toPoint());
}

QPaintEngine* Form2Window::paintEngine() const {
  return direct_ ? nullptr : QWidget::paintEngine();
}

QRegion Form2Window::overlays() const {
  QRegion over = outlineOf(shape1_) + areaOf(Picture1) + outlineOf(dragOutline_);
  if (cursorShown_) over += cursorBox();
  return over;
}

void Form2Window::paintEvent(QPaintEvent* event) {
  if (!direct_) {
    QPainter painter(this);
    paintContent(painter, event->region());
    return;
  }
  // Before the window is on the screen, what is drawn is lost; its first expose paints it.
  if (windowHandle() == nullptr || !windowHandle()->isExposed()) return;
  // The captured image straight from its segment wherever nothing lies over it; the rest is
  // composed here, rectangle by rectangle (all of it, should the image not be shared).
  QRegion composedPart = overlays() & event->region();
  for (const QRect& rect : event->region() - composedPart) {
    if (!direct_->putShared(image, rect)) composedPart += rect;
  }
  for (const QRect& rect : composedPart) {
    QImage composed(rect.size(), QImage::Format_RGB32);
    QPainter painter(&composed);
    painter.translate(-rect.topLeft());
    paintContent(painter, QRegion(rect));
    painter.end();
    direct_->put(composed, rect.topLeft());
  }
  direct_->flush();
}

void Form2Window::paintContent(QPainter& painter, const QRegion& region) {
  const QImage captured = imageOf(image);
  for (const QRect& rect : region)
    painter.drawImage(rect.topLeft(), captured, rect);
  // The frame is drawn on the form itself and the region image is a control of its own
  // above it: where they overlap, the image hides the frame.
  const QColor frameColour = qtColour(shape1_.borderColor);
  for (const Rect& edge : shape1_.edges()) {
    if (!edge.empty()) painter.fillRect(edge.x, edge.y, edge.width, edge.height, frameColour);
  }
  if (Picture1.visible() && !Picture1.image().empty()) {
    painter.drawImage(QPoint(Picture1.position().x, Picture1.position().y),
                      imageOf(Picture1.image()));
  }
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  // The drag outline inverts what it crosses, so that it shows on any picture.
  // Its edges as one region, so that the corners, where two edges meet, invert only once.
  for (const QRect& part : outlineOf(dragOutline_))
    painter.fillRect(part, Qt::white);
  if (cursorShown_) painter.drawImage(cursorBox().topLeft(), cursorMask_);
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

bool Form2Window::onOwnSurface(QPoint global) const {
  return QGuiApplication::topLevelAt(global) == windowHandle();
}

bool Form2Window::onPicture1(QPoint at) const {
  return areaOf(Picture1).contains(at);
}

void Form2Window::moveDragOutline(std::optional<QPoint> at) {
  const QRegion before = outlineOf(dragOutline_);
  dragOutline_.visible = at.has_value();
  if (at) {
    // Where the drop would put the picture: its centre on the pointer.
    const Point topLeft = dropPosition(static_cast<float>(at->x()), static_cast<float>(at->y()),
                                       Picture1.width(), Picture1.height());
    dragOutline_.left = topLeft.x;
    dragOutline_.top = topLeft.y;
    dragOutline_.width = Picture1.width();
    dragOutline_.height = Picture1.height();
  }
  update(before + outlineOf(dragOutline_));
}

void Form2Window::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (onPicture1(at.toPoint())) {
    // Picture1 has no press handler of its own: only a left press starts its click or drag.
    if (event->button() == Qt::LeftButton && !pictureGrab_) {
      pictureGrab_ = at.toPoint();
      draggingPicture_ = false;
    }
    return;
  }
  if (pictureGrab_) return;  // another button during a press on Picture1
  handlers_.mouseDown(buttonsOf(event->button()), shiftOf(event->modifiers()),
                      static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  moveCursorTo(at.toPoint());
  if (pictureGrab_) {
    if (!draggingPicture_ &&
        (at.toPoint() - *pictureGrab_).manhattanLength() >= QApplication::startDragDistance()) {
      draggingPicture_ = true;
    }
    if (draggingPicture_) moveDragOutline(at.toPoint());
    return;
  }
  // Without a button held, the moves over Picture1 are its own (it ignores them).
  if (event->buttons() == Qt::NoButton && onPicture1(at.toPoint())) return;
  handlers_.mouseMove(buttonsOf(event->buttons()), shiftOf(event->modifiers()),
                      static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (pictureGrab_) {
    if (event->button() != Qt::LeftButton) return;
    const bool dragged = draggingPicture_;
    pictureGrab_.reset();
    draggingPicture_ = false;
    if (!dragged) {
      handlers_.picture1Click();
      return;
    }
    moveDragOutline(std::nullopt);
    // A drop over Picture1 itself is Picture1's, which has no drop handler; a drop over a
    // window above this one (the magnifier) is not on this window's surface at all.
    if (!onPicture1(at.toPoint()) && onOwnSurface(event->globalPosition().toPoint())) {
      handlers_.dragDrop(static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
    return;
  }
  handlers_.mouseUp(buttonsOf(event->button()), shiftOf(event->modifiers()),
                    static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form2Window::leaveEvent(QEvent*) {
  if (!cursorShown_) return;
  cursorShown_ = false;
  update(cursorBox());
}

}  // namespace kepa
