// The window of Form4, the custom settings dialog "カスタム設定": three scroll bars with their
// swatches and value labels, the option group of the six algorithms, OK and Cancel. Its
// layout is given in pixels at 96 dots per inch and scales with the display's setting.
#pragma once

#include <array>
#include <functional>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include "platform/colour.h"

namespace kepa {

// A picture box used as a swatch: it shows its background colour.
class Swatch final : public QWidget {
 public:
  explicit Swatch(QWidget* parent) : QWidget(parent) {}
  [[nodiscard]] Colour backColor() const { return backColor_; }
  void setBackColor(Colour colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour backColor_{Colour::kWindowBackground};
};

class Form4Window final : public QWidget {
 public:
  struct Handlers {
    std::function<void()> rScroll;  // a drag of a bar's thumb, and only that
    std::function<void()> gScroll;
    std::function<void()> bScroll;
    std::function<void()> command1;
    std::function<void()> command2;
    std::function<void()> closed;  // by the window's close button
  };

  Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  QLabel* Label1 = nullptr;
  Swatch* RPicture1 = nullptr;
  QLabel* RLabel = nullptr;
  QScrollBar* RScroll1 = nullptr;
  QLabel* Label2 = nullptr;
  Swatch* GPicture1 = nullptr;
  QLabel* GLabel = nullptr;
  QScrollBar* GScroll1 = nullptr;
  QLabel* Label3 = nullptr;
  Swatch* BPicture1 = nullptr;
  QLabel* BLabel = nullptr;
  QScrollBar* BScroll1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  std::array<QRadioButton*, 6> Option{};  // Option1 .. Option6
  std::array<QLabel*, 6> DigitLabel{};    // Label7 .. Label12
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] QRect at(int left, int top, int width, int height) const;
  QLabel* addLabel(QWidget* parent, const QString& caption, QRect geometry, bool bold,
                   double points);
  QScrollBar* addBar(int top, const std::function<void()>& onDrag);
  QPushButton* addButton(const QString& caption, QRect geometry,
                         const std::function<void()>& onClick);

  float twipsPerPixelX_;
  float twipsPerPixelY_;
  Handlers handlers_;
};

}  // namespace kepa
