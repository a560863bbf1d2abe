// The Qt window of Form4, the custom settings dialog: three scroll bars with their
// swatches and value labels, the option group of the six algorithms, OK and Cancel, as the
// design places them, scaled with the display's setting.
#pragma once

#include <array>
#include <functional>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "core/design_pixels.h"
#include "frontends/qt/qt_controls.h"
#include "runtime/design_font.h"
#include "settings/form4_face.h"

namespace kepa {

class Form4Window final : public QWidget, public Form4Face {
 public:
  Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);

  void destroyLater() override;
  [[nodiscard]] Swatch& RPicture1() override { return *swatches_[0]; }
  [[nodiscard]] Label& RLabel() override { return *values_[0]; }
  [[nodiscard]] ScrollBar& RScroll1() override { return *bars_[0]; }
  [[nodiscard]] Swatch& GPicture1() override { return *swatches_[1]; }
  [[nodiscard]] Label& GLabel() override { return *values_[1]; }
  [[nodiscard]] ScrollBar& GScroll1() override { return *bars_[1]; }
  [[nodiscard]] Swatch& BPicture1() override { return *swatches_[2]; }
  [[nodiscard]] Label& BLabel() override { return *values_[2]; }
  [[nodiscard]] ScrollBar& BScroll1() override { return *bars_[2]; }
  [[nodiscard]] OptionButton& Option(int k) override {
    return *options_.at(static_cast<std::size_t>(k - 1));
  }
  [[nodiscard]] std::int32_t width() const override { return QWidget::width(); }
  [[nodiscard]] std::int32_t height() const override { return QWidget::height(); }
  void move(Point topLeft) override { QWidget::move(topLeft.x, topLeft.y); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] QRect at(const DesignRect& design) const;
  QtLabel* addLabel(QWidget* parent, const QString& caption, QRect geometry,
                    const DesignFont& font);
  QtSwatch* addSwatch(QRect geometry);
  QtScrollBar* addBar(QRect geometry, const std::function<void()>& onDrag);
  QPushButton* addButton(const QString& caption, QRect geometry,
                         const std::function<void()>& onClick);

  float twipsPerPixelX_;
  float twipsPerPixelY_;
  Handlers handlers_;
  // Red, green and blue.
  std::array<QtSwatch*, 3> swatches_{};
  std::array<QtLabel*, 3> values_{};
  std::array<QtScrollBar*, 3> bars_{};
  std::array<QtOptionButton*, 6> options_{};  // Option1 .. Option6
};

}  // namespace kepa
