// The Qt window of Form1: the splash (dark blue, the artwork and five labels) and its timer.
// Its unit is the twip.
#pragma once

#include <array>

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "app/form1_face.h"
#include "frontends/qt/qt_timer.h"

namespace kepa {

class Form1Window final : public QWidget, public Form1Face {
 public:
  Form1Window(float twipsPerPixel, Handlers handlers);

  void destroyLater() override;
  void show() override { QWidget::show(); }
  void hide() override { QWidget::hide(); }
  [[nodiscard]] bool isVisible() const override { return QWidget::isVisible(); }
  [[nodiscard]] Timer& Timer1() override { return timer1_; }

  std::array<QLabel*, 2> Label1{};
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;

 protected:
  void moveTo(Point topLeft) override { move(topLeft.x, topLeft.y); }
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QLabel* addLabel(const QString& caption, std::uint32_t textColour, float left, float top,
                   float width, float height, int weight, int points);

  Handlers handlers_;
  QtTimer timer1_;
  QImage artwork_;
};

}  // namespace kepa
