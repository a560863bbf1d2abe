// The Qt window of Form4, the custom settings dialog "カスタム設定": three scroll bars with their
// swatches and value labels, the option group of the six algorithms, OK and Cancel. Its
// layout is given in pixels at 96 dots per inch and scales with the display's setting.
#pragma once

#include <array>
#include <functional>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "frontends/qt/qt_controls.h"
#include "settings/form4_face.h"

namespace kepa {

class Form4Window final : public QWidget, public Form4Face {
 public:
  Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  void destroyLater() override;
  [[nodiscard]] Swatch& RPicture1() override { return *RPicture1_; }
  [[nodiscard]] Label& RLabel() override { return *RLabel_; }
  [[nodiscard]] ScrollBar& RScroll1() override { return *RScroll1_; }
  [[nodiscard]] Swatch& GPicture1() override { return *GPicture1_; }
  [[nodiscard]] Label& GLabel() override { return *GLabel_; }
  [[nodiscard]] ScrollBar& GScroll1() override { return *GScroll1_; }
  [[nodiscard]] Swatch& BPicture1() override { return *BPicture1_; }
  [[nodiscard]] Label& BLabel() override { return *BLabel_; }
  [[nodiscard]] ScrollBar& BScroll1() override { return *BScroll1_; }
  [[nodiscard]] OptionButton& Option(int k) override {
    return *Option_.at(static_cast<std::size_t>(k - 1));
  }
  [[nodiscard]] std::int32_t width() const override { return QWidget::width(); }
  [[nodiscard]] std::int32_t height() const override { return QWidget::height(); }
  void move(Point topLeft) override { QWidget::move(topLeft.x, topLeft.y); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] QRect at(int left, int top, int width, int height) const;
  QtLabel* addLabel(QWidget* parent, const QString& caption, QRect geometry, bool bold,
                    double points);
  QtSwatch* addSwatch(QRect geometry);
  QtScrollBar* addBar(int top, const std::function<void()>& onDrag);
  QPushButton* addButton(const QString& caption, QRect geometry,
                         const std::function<void()>& onClick);

  float twipsPerPixelX_;
  float twipsPerPixelY_;
  Handlers handlers_;
  QtSwatch* RPicture1_ = nullptr;
  QtLabel* RLabel_ = nullptr;
  QtScrollBar* RScroll1_ = nullptr;
  QtSwatch* GPicture1_ = nullptr;
  QtLabel* GLabel_ = nullptr;
  QtScrollBar* GScroll1_ = nullptr;
  QtSwatch* BPicture1_ = nullptr;
  QtLabel* BLabel_ = nullptr;
  QtScrollBar* BScroll1_ = nullptr;
  std::array<QtOptionButton*, 6> Option_{};  // Option1 .. Option6
};

}  // namespace kepa
