// The Qt window of Form2: the full-screen canvas that shows the captured image 1:1 and, over
// it, the selection frame Shape1, the region image Picture1 where shown, the outline of a drag
// of Picture1 and the cross-hair cursor.
#pragma once

#include <memory>

#include <QImage>
#include <QWidget>

#include "clip/cross_hair.h"
#include "clip/form2_face.h"
#include "frontends/qt/direct_window_painter.h"

namespace kepa {

class Form2Window final : public QWidget, public Form2Face {
 public:
  Form2Window(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  void destroyLater() override;
  void showOverScreen() override;

 protected:
  void invalidate(const Rect& area) override;
  [[nodiscard]] int dragDistance() const override;
  // Without a paint engine of its own where the image can be put on the screen directly.
  [[nodiscard]] QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Paints what the window shows in `region`: the image, the frame, Picture1, the drag
  // outline and the cross-hair, in that order.
  void paintContent(QPainter& painter, const QRegion& region);
  // Where something is drawn over the captured image.
  [[nodiscard]] QRegion overlays() const;
  void moveCursorTo(QPoint at);
  // Paints the cross-hair where the pointer is, if it is over the window.
  void showCursorWherePointerIs();
  [[nodiscard]] QRect cursorBox() const;

  std::unique_ptr<DirectWindowPainter> direct_;  // null: Qt paints through its backing store
  CrossHair crossHair_;
  QImage cursorMask_;  // white where the cursor inverts, black elsewhere
  QPoint cursorAt_;
  bool cursorShown_ = false;
};

}  // namespace kepa
