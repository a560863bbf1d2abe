// The window of Form1 with its controls: the splash (dark blue, the artwork and five
// labels), the timer Timer1 and the tray menu KepaMenu. Its unit is the twip.
#pragma once

#include <array>
#include <functional>

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "platform/qt/menu.h"
#include "platform/qt/timer.h"

namespace kepa {

class Form1Window final : public QWidget {
 public:
  struct Handlers {
    std::function<void(int button, int shift, float x, float y)> mouseMove;
    std::function<void()> timer1;
  };

  // Design size of the client area, in twips.
  static constexpr float kWidthTwips = 5565.0F;
  static constexpr float kHeightTwips = 3090.0F;

  Form1Window(float twipsPerPixel, Handlers handlers);

  // Outer size and position in twips (the window has no frame).
  [[nodiscard]] float widthTwips() const { return static_cast<float>(width()) * twipsPerPixel_; }
  [[nodiscard]] float heightTwips() const { return static_cast<float>(height()) * twipsPerPixel_; }
  [[nodiscard]] float leftTwips() const { return leftTwips_; }
  [[nodiscard]] float topTwips() const { return topTwips_; }
  void setLeftTwips(float left);
  void setTopTwips(float top);

  std::array<QLabel*, 2> Label1{};
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  Timer Timer1;
  Menu KepaMenu;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QLabel* addLabel(const QString& caption, std::uint32_t textColour, float left, float top,
                   float width, float height, int weight, int points);
  void placeAt(float left, float top);

  float twipsPerPixel_;
  float leftTwips_ = 0.0F;
  float topTwips_ = 0.0F;
  Handlers handlers_;
  QImage artwork_;
};

}  // namespace kepa
