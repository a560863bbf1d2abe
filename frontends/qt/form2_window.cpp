#include "frontends/qt/form2_window.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

#include "core/numeric.h"
#include "frontends/qt/mouse_buttons.h"
#include "frontends/qt/surface_image.h"
#include "frontends/qt/wayland_session.h"
#include "frontends/qt/widget_of.h"

namespace kepa {

namespace {

QRegion outlineOf(const FrameShape& frame) {
  QRegion region;
  for (const Rect& edge : frame.edges()) {
    if (!edge.empty()) region += QRect(edge.x, edge.y, edge.width, edge.height);
  }
  return region;
}

QRect qtRect(const Rect& rect) {
  return {rect.x, rect.y, rect.width, rect.height};
}

Point pointOf(QPoint at) {
  return {at.x(), at.y()};
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
      Form2Face(std::move(screenImage), twipsPerPixelX, twipsPerPixelY, std::move(handlers)),
      cursorMask_(CrossHair::kSize, CrossHair::kSize, QImage::Format_RGB32) {
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

void Form2Window::destroyLater() {
  destroyWidgetLater(*this);
}

void Form2Window::invalidate(const Rect& area) {
  update(area.x, area.y, area.width, area.height);
}

int Form2Window::dragDistance() const {
  return QApplication::startDragDistance();
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
  QRegion over = outlineOf(Shape1()) + qtRect(picture1Area()) + outlineOf(dragOutline());
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
  const QColor frameColour = qtColour(Shape1().borderColor);
  for (const Rect& edge : Shape1().edges()) {
    if (!edge.empty()) painter.fillRect(edge.x, edge.y, edge.width, edge.height, frameColour);
  }
  if (Picture1.visible() && !Picture1.image().empty()) {
    painter.drawImage(QPoint(Picture1.position().x, Picture1.position().y),
                      imageOf(Picture1.image()));
  }
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  // The drag outline inverts what it crosses, so that it shows on any picture.
  for (const Rect& part : dragOutline().disjointEdges()) {
    if (!part.empty()) painter.fillRect(qtRect(part), Qt::white);
  }
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

void Form2Window::mousePressEvent(QMouseEvent* event) {
  mousePressed(buttonsOf(event->button()), shiftOf(event->modifiers()),
               pointOf(event->position().toPoint()));
}

void Form2Window::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  moveCursorTo(at);
  mouseMoved(buttonsOf(event->buttons()), shiftOf(event->modifiers()), pointOf(at));
}

void Form2Window::mouseReleaseEvent(QMouseEvent* event) {
  // A drop counts only on this window's own surface, not through a window above it (the
  // magnifier).
  const bool onOwnSurface =
      QGuiApplication::topLevelAt(event->globalPosition().toPoint()) == windowHandle();
  mouseReleased(buttonsOf(event->button()), shiftOf(event->modifiers()),
                pointOf(event->position().toPoint()), onOwnSurface);
}

void Form2Window::leaveEvent(QEvent*) {
  if (!cursorShown_) return;
  cursorShown_ = false;
  update(cursorBox());
}

}  // namespace kepa
