// Form1's window as its code module needs it: the splash (a fixed design size in twips, placed
// in twips, shown and hidden), its timer Timer1 and the tray menu KepaMenu.
#pragma once

#include <functional>
#include <memory>

#include "core/geometry.h"
#include "runtime/form_window.h"
#include "runtime/menu.h"
#include "runtime/timer.h"

namespace kepa {

class Form1Face : public FormWindow {
 public:
  struct Handlers {
    // A mouse move over the window, in twips; the icon's callbacks arrive as these.
    std::function<void(int button, int shift, float x, float y)> mouseMove;
    std::function<void()> timer1;
    // The window was closed from outside (Alt+F4, or Windows asking the program to end).
    std::function<void()> closed;
  };
  using Factory = std::function<std::unique_ptr<Form1Face>(float twipsPerPixel, Handlers)>;

  // Design size of the client area, in twips.
  static constexpr float kWidthTwips = 5565.0F;
  static constexpr float kHeightTwips = 3090.0F;

  // A window of the design size at `twipsPerPixel`.
  explicit Form1Face(float twipsPerPixel);

  // Outer size and position in twips (the window has no frame): its whole pixels at the
  // display's twips per pixel.
  [[nodiscard]] float widthTwips() const;
  [[nodiscard]] float heightTwips() const;
  [[nodiscard]] float leftTwips() const { return leftTwips_; }
  [[nodiscard]] float topTwips() const { return topTwips_; }
  void setLeftTwips(float left) { placeAt(left, topTwips_); }
  void setTopTwips(float top) { placeAt(leftTwips_, top); }
  virtual void show() = 0;
  virtual void hide() = 0;
  [[nodiscard]] virtual bool isVisible() const = 0;
  [[nodiscard]] virtual Timer& Timer1() = 0;

  Menu KepaMenu;

 protected:
  [[nodiscard]] float twipsPerPixel() const { return twipsPerPixel_; }
  // The window's size and its top-left corner, in whole pixels.
  [[nodiscard]] Point sizeInPixels() const;
  virtual void moveTo(Point topLeft) = 0;

 private:
  void placeAt(float left, float top);

  float twipsPerPixel_;
  float leftTwips_ = 0.0F;
  float topTwips_ = 0.0F;
};

}  // namespace kepa
