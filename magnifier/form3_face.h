// The window of Form3, the magnifier, as its code module needs it: its client
// area's persistent image (the enlarged view is drawn into it) under the coordinate labels,
// the scratch square Picture1 (never seen), the timer Timer1, its place on the screen and
// whether it is shown. Its layout is fixed in twips.
#pragma once

#include <functional>
#include <memory>

#include "core/geometry.h"
#include "core/picture.h"
#include "core/surface.h"
#include "runtime/controls.h"
#include "runtime/form_window.h"
#include "runtime/timer.h"

namespace kepa {

class Form3Face : public FormWindow {
 public:
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
  struct Handlers {
    std::function<void()> timer1;
    MouseHandler mouseMove;  // over the client area
    // The window was closed from outside (its close button): the module unloads it.
    std::function<void()> closed;
  };
  using Factory = std::function<std::unique_ptr<Form3Face>(float twipsPerPixelX,
                                                           float twipsPerPixelY, Handlers)>;

  // The client area, in design pixels.
  static constexpr int kDesignWidth = 227;
  static constexpr int kDesignHeight = 273;

  Form3Face(float twipsPerPixelX, float twipsPerPixelY);

  // Shown and not minimised: a window hidden by any means reads as not visible.
  [[nodiscard]] virtual bool Visible() const = 0;
  // Brings the window above the others that are always on top.
  virtual void raise() = 0;
  // The window's frame, as the window manager draws it, on the desktop.
  [[nodiscard]] virtual Rect frameGeometry() const = 0;
  // Moves the frame's top-left corner to `topLeft`.
  virtual void move(Point topLeft) = 0;
  [[nodiscard]] virtual Timer& Timer1() = 0;
  [[nodiscard]] virtual Label& LabelX() = 0;
  [[nodiscard]] virtual Label& LabelY() = 0;

  // The client area's persistent image, in pixels; clearing it fills the form's background.
  [[nodiscard]] DeviceContext& hDC() { return client_.hDC(); }
  void Cls() { client_.Cls(); }
  [[nodiscard]] const Surface& clientImage() const { return client_.image(); }

  // Whether the view already shows `square` enlarged to width x height; if not, remembers
  // them as what it is about to show.
  [[nodiscard]] bool showsAlready(const Surface& square, std::int32_t width, std::int32_t height);
  // Repaints the rows of the client area whose pixels differ from what the window shows.
  void repaintChanged();
  // What the window shows of the client area: the image as last handed to the window system.
  [[nodiscard]] const Surface& shownImage() const { return shown_; }

  Picture Picture1{32, 32};

 protected:
  // `area` of the client area no longer shows shownImage().
  virtual void repaintClient(const Rect& area) = 0;

 private:
  Picture client_;
  Surface shown_;
  Surface enlarged_;  // the square the view shows enlarged, and the size it has there
  Point enlargedSize_;
};

}  // namespace kepa
