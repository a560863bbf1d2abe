// Form2: the clipping window's code module. It holds the selection (SelWidth, SelHeight,
// SelColor) across unloads, and handles the mouse on the frozen screen and the menu.
#pragma once

#include <cstdint>

#include "app/module1.h"
#include "clip/form2_face.h"
#include "effects/region.h"
#include "effects/surprise.h"
#include "magnifier/form3.h"
#include "runtime/desktop.h"
#include "runtime/lazy_window.h"
#include "settings/form4.h"

namespace kepa {

class Form2 {
 public:
  Form2(Module1& module1, Desktop desktop, Form2Face::Factory makeWindow, Form3& form3,
        Form4& form4, RandomSource& random);

  Form2Face& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  // The window's drawing surface: referring to it loads the window.
  DeviceContext& hDC() { return window().hDC; }
  void Unload() { window_.unload(); }
  // A loaded window whose image is not width x height gets a new image of that size.
  void fitImageTo(std::int32_t width, std::int32_t height);
  // Shows the window over the whole screen; a magnifier that is on stays above it.
  void Show();

  void Form_Load();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void Picture1_MouseMove() {}
  void EndClip_Click();
  void GZoom_Click();

  // Output: the region image to a BMP file through the save dialog, or to the clipboard.
  void SavePic_Click();
  void SaveClip_Click();

  // View and restore: show or hide the region image, hide it by a click on it, restore it
  // from the capture, and move it by a drop.
  void hyouji_Click();
  void picture1_click();
  void BackPi_click();
  void Form_DragDrop(float X, float Y);

  // The colour conversions and the mosaic of the region image.
  void RGBch_Click(std::int16_t Index);
  void Nega_Click();
  void Gray_Click();
  void Sepia_Click();
  void mozalv_click(std::int16_t Index);
  // The surprise effects: 1 draws the colour and the operation at random, 2 asks for them in
  // the custom settings dialog.
  void hatena_click(std::int16_t Index);

  std::int32_t SelWidth = 0;
  std::int32_t SelHeight = 0;
  Colour SelColor;

 private:
  std::unique_ptr<Form2Face> createWindow();
  void UpdateClipMenu();
  void DrawSelFrame();
  // The selection as the effects see it.
  [[nodiscard]] Region region() const;
  // Runs an effect on Picture1, reading the captured image; the window repaints it if shown.
  void applyEffect(const std::function<void(const DeviceContext& screen, Picture& image)>& effect);

  Module1& module1_;
  Desktop desktop_;
  Form2Face::Factory createWindow_;
  Form3& form3_;
  Form4& form4_;
  RandomSource& random_;
  LazyWindow<Form2Face> window_;
};

}  // namespace kepa
