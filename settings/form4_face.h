// The window of Form4, the custom settings dialog, as its code module needs it:
// the three scroll bars with their swatches and value labels, the six option buttons of the
// algorithms, and its size and place.
#pragma once

#include <functional>
#include <memory>

#include "core/geometry.h"
#include "runtime/controls.h"
#include "runtime/form_window.h"

namespace kepa {

class Form4Face : public FormWindow {
 public:
  struct Handlers {
    std::function<void()> rScroll;  // a drag of a bar's thumb, and only that
    std::function<void()> gScroll;
    std::function<void()> bScroll;
    std::function<void()> command1;
    std::function<void()> command2;
    std::function<void()> closed;  // by the window's close button
  };
  using Factory = std::function<std::unique_ptr<Form4Face>(float twipsPerPixelX,
                                                           float twipsPerPixelY, Handlers)>;

  [[nodiscard]] virtual Swatch& RPicture1() = 0;
  [[nodiscard]] virtual Label& RLabel() = 0;
  [[nodiscard]] virtual ScrollBar& RScroll1() = 0;
  [[nodiscard]] virtual Swatch& GPicture1() = 0;
  [[nodiscard]] virtual Label& GLabel() = 0;
  [[nodiscard]] virtual ScrollBar& GScroll1() = 0;
  [[nodiscard]] virtual Swatch& BPicture1() = 0;
  [[nodiscard]] virtual Label& BLabel() = 0;
  [[nodiscard]] virtual ScrollBar& BScroll1() = 0;
  // Option1 .. Option6.
  [[nodiscard]] virtual OptionButton& Option(int k) = 0;

  // The outer size in pixels, and the frame's top-left corner on the desktop.
  [[nodiscard]] virtual std::int32_t width() const = 0;
  [[nodiscard]] virtual std::int32_t height() const = 0;
  virtual void move(Point topLeft) = 0;
};

}  // namespace kepa
