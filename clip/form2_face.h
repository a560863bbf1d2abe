// The window of Form2 as its code module needs it, with its controls: the full-screen canvas
// whose persistent image is the captured screen, the region image Picture1 (shown over the
// image), the hidden work image Picture2, the selection frame Shape1, the menu ClipMenu and
// the save dialog CMD. The front end paints what these models say, where they say it changed.
//
// The mouse on a shown Picture1 belongs to it: a left press and release there is its click,
// a press that moves further than the drag distance drags it (an outline shows where it would
// land), and the drop lands on the window unless it is over Picture1 itself or over another
// window. Everything else goes to the window's handlers.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "clip/frame_shape.h"
#include "core/device_context.h"
#include "core/picture.h"
#include "core/surface.h"
#include "runtime/common_dialog.h"
#include "runtime/form_window.h"
#include "runtime/menu.h"

namespace kepa {

class Form2Face : public FormWindow {
 public:
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
  struct Handlers {
    MouseHandler mouseDown;
    MouseHandler mouseMove;
    MouseHandler mouseUp;
    std::function<void()> picture1Click;
    std::function<void(float x, float y)> dragDrop;
    // The window was closed from outside (Alt+F4 on Windows): the clipping ends.
    std::function<void()> closed;
  };
  using Factory = std::function<std::unique_ptr<Form2Face>(
      Surface screenImage, float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)>;

  // A window whose client area is the screen and whose persistent image is `screenImage`;
  // its picture boxes start hidden at their design places in twips.
  Form2Face(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  // The persistent image and its device context.
  Surface image;
  DeviceContext hDC{image};
  Picture Picture1{121, 89};
  Picture Picture2{121, 81};
  Menu ClipMenu{"ClipMenu", "クリッピングメニュ－"};
  CommonDialog CMD;

  [[nodiscard]] const FrameShape& Shape1() const { return shape1_; }
  // The window was closed from outside: its code module hears of it.
  void closedFromOutside() const {
    if (handlers_.closed) handlers_.closed();
  }

  // Changes the frame and repaints its old and new outline, nothing else.
  void changeShape1(const std::function<void(FrameShape&)>& change);
  // Changes Picture1 and repaints the area it covered and covers.
  void changePicture1(const std::function<void(Picture&)>& change);
  // The captured image changed as a whole.
  void imageChanged() { invalidate({0, 0, image.width(), image.height()}); }
  // The persistent image becomes `screenImage`, of another size (the desktop changed).
  void replaceImage(Surface screenImage);

  // Shows the window over the whole screen, above everything.
  virtual void showOverScreen() = 0;

  // The mouse as the window receives it, in its pixels (buttons and keys counted as the
  // handlers count them). `onOwnSurface`: the release happened where this window, and no
  // window above it, is under the pointer.
  void mousePressed(int button, int shift, Point at);
  void mouseMoved(int buttons, int shift, Point at);
  void mouseReleased(int button, int shift, Point at, bool onOwnSurface);

  // Where a drag of Picture1 would put it; hidden while there is no drag.
  [[nodiscard]] const FrameShape& dragOutline() const { return dragOutline_; }
  // Where Picture1 is drawn: nothing while it is hidden.
  [[nodiscard]] Rect picture1Area() const;

 protected:
  // `area` of the window no longer shows what the models say.
  virtual void invalidate(const Rect& area) = 0;
  // How far a press on Picture1 must move to become a drag, in pixels.
  [[nodiscard]] virtual int dragDistance() const = 0;

 private:
  void repaintOutline(const FrameShape& frame);
  [[nodiscard]] bool onPicture1(Point at) const;
  // Moves the drag outline to be centred on `at` (or removes it) and repaints its edges.
  void moveDragOutline(std::optional<Point> at);

  Handlers handlers_;
  FrameShape shape1_;
  std::optional<Point> pictureGrab_;  // where a left press on Picture1 happened
  bool draggingPicture_ = false;
  FrameShape dragOutline_;
};

}  // namespace kepa
