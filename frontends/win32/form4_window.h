// The Win32 window of Form4, the custom settings dialog: three scroll bars with
// their swatches and value labels, the option group of the six algorithms, OK and Cancel. Its
// layout is given in pixels at 96 dots per inch and scales with the display's setting.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/design_pixels.h"
#include "frontends/win32/native_controls.h"
#include "runtime/design_font.h"
#include "settings/form4_face.h"

namespace kepa {

class Form4Window final : public NativeWindow, public Form4Face {
 public:
  Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers);
  ~Form4Window() override;

  void destroyLater() override { deleteLater(); }
  [[nodiscard]] Swatch& RPicture1() override { return *swatches_[0]; }
  [[nodiscard]] Label& RLabel() override { return *labels_[0]; }
  [[nodiscard]] ScrollBar& RScroll1() override { return *bars_[0]; }
  [[nodiscard]] Swatch& GPicture1() override { return *swatches_[1]; }
  [[nodiscard]] Label& GLabel() override { return *labels_[1]; }
  [[nodiscard]] ScrollBar& GScroll1() override { return *bars_[1]; }
  [[nodiscard]] Swatch& BPicture1() override { return *swatches_[2]; }
  [[nodiscard]] Label& BLabel() override { return *labels_[2]; }
  [[nodiscard]] ScrollBar& BScroll1() override { return *bars_[2]; }
  [[nodiscard]] OptionButton& Option(int k) override {
    return *options_.at(static_cast<std::size_t>(k - 1));
  }
  [[nodiscard]] std::int32_t width() const override;
  [[nodiscard]] std::int32_t height() const override;
  void move(Point topLeft) override;

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  [[nodiscard]] RECT at(const DesignRect& design) const;
  // The font of a design, made on first use.
  [[nodiscard]] HFONT fontOf(const DesignFont& design);

  float twipsPerPixelX_;
  float twipsPerPixelY_;
  Handlers handlers_;
  std::vector<std::pair<DesignFont, HFONT>> fonts_;
  std::array<std::unique_ptr<SwatchWindow>, 3> swatches_;
  std::array<std::optional<NativeLabel>, 3> labels_;
  std::array<std::optional<NativeScrollBar>, 3> bars_;
  std::array<std::optional<NativeOptionButton>, 6> options_;
};

}  // namespace kepa
