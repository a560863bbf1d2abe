// Form1's window as its code module needs it: the splash (a fixed design size in twips, placed
// in twips, shown and hidden), its timer Timer1 and the tray menu KepaMenu.
#pragma once

#include <functional>
#include <memory>

#include "platform/form_window.h"
#include "platform/menu.h"
#include "platform/timer.h"

namespace kepa {

class Form1Face : public FormWindow {
 public:
  struct Handlers {
    // A mouse move over the window, in twips; the icon's callbacks arrive as these.
    std::function<void(int button, int shift, float x, float y)> mouseMove;
    std::function<void()> timer1;
  };
  using Factory = std::function<std::unique_ptr<Form1Face>(float twipsPerPixel, Handlers)>;

  // Design size of the client area, in twips.
  static constexpr float kWidthTwips = 5565.0F;
  static constexpr float kHeightTwips = 3090.0F;

  Form1Face();

  // Outer size and position in twips (the window has no frame).
  [[nodiscard]] virtual float widthTwips() const = 0;
  [[nodiscard]] virtual float heightTwips() const = 0;
  [[nodiscard]] virtual float leftTwips() const = 0;
  [[nodiscard]] virtual float topTwips() const = 0;
  virtual void setLeftTwips(float left) = 0;
  virtual void setTopTwips(float top) = 0;
  virtual void show() = 0;
  virtual void hide() = 0;
  [[nodiscard]] virtual bool isVisible() const = 0;
  [[nodiscard]] virtual Timer& Timer1() = 0;

  Menu KepaMenu;
};

}  // namespace kepa
