// The window of Form2 with its controls: the full-screen canvas that shows the captured image
// 1:1 and, over it, the region image Picture1 where shown, the selection frame Shape1, the
// outline of a drag of Picture1 and the cross-hair cursor; the hidden work image Picture2; the
// menu ClipMenu; the save dialog CMD.
//
// The mouse on a shown Picture1 belongs to it: a left press and release there is its click,
// a press that moves further than the drag distance drags it, and the drop lands on the
// window unless it is over Picture1 itself. Everything else goes to the window's handlers.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QWidget>

#include "clip/cross_hair.h"
#include "clip/frame_shape.h"
#include "platform/device_context.h"
#include "platform/picture.h"
#include "platform/qt/common_dialog.h"
#include "platform/qt/direct_window_painter.h"
#include "platform/qt/menu.h"
#include "platform/surface.h"

namespace kepa {

class Form2Window final : public QWidget {
 public:
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
  struct Handlers {
    MouseHandler mouseDown;
    MouseHandler mouseMove;
    MouseHandler mouseUp;
    std::function<void()> picture1Click;
    std::function<void(float x, float y)> dragDrop;
  };

  // A window whose client area is the screen and whose persistent image is `screenImage`;
  // its picture boxes start at their design places in twips.
  Form2Window(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  // The persistent image and its device context.
  Surface image;
  DeviceContext hDC{image};
  Picture Picture1{121, 89};
  Picture Picture2{121, 81};
  Menu ClipMenu{"ClipMenu", "クリッピングメニュ－"};
  CommonDialog CMD;

  [[nodiscard]] const FrameShape& Shape1() const { return shape1_; }
  // Changes the frame and repaints its old and new outline, nothing else.
  void changeShape1(const std::function<void(FrameShape&)>& change);
  // Changes Picture1 and repaints the area it covered and covers.
  void changePicture1(const std::function<void(Picture&)>& change);
  // The captured image changed as a whole.
  void imageChanged() { update(); }
  // The persistent image becomes `screenImage`, of another size (the desktop changed).
  void replaceImage(Surface screenImage);

  // Shows the window over the whole screen, above everything.
  void showOverScreen();

 protected:
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
  [[nodiscard]] bool onOwnSurface(QPoint global) const;
  [[nodiscard]] QRect cursorBox() const;
  [[nodiscard]] bool onPicture1(QPoint at) const;
  // Moves the drag outline to be centred on `at` (or removes it) and repaints its edges.
  void moveDragOutline(std::optional<QPoint> at);

  Handlers handlers_;
  std::unique_ptr<DirectWindowPainter> direct_;  // null: Qt paints through its backing store
  FrameShape shape1_;
  CrossHair crossHair_;
  QImage cursorMask_;  // white where the cursor inverts, black elsewhere
  QPoint cursorAt_;
  bool cursorShown_ = false;
  std::optional<QPoint> pictureGrab_;  // where a left press on Picture1 happened
  bool draggingPicture_ = false;
  FrameShape dragOutline_;
};

}  // namespace kepa
