// Form2: the clipping window's code module. It holds the selection (SelWidth, SelHeight,
// SelColor) across unloads, and handles the mouse on the frozen screen and the menu.
#pragma once

#include <cstdint>

#include "app/module1.h"
#include "clip/form2_window.h"
#include "magnifier/form3.h"
#include "platform/qt/desktop.h"
#include "platform/qt/lazy_window.h"

namespace kepa {

class Form2 {
 public:
  Form2(Module1& module1, Desktop& desktop, Form3& form3);

  Form2Window& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  // The window's drawing surface: referring to it loads the window.
  DeviceContext& hDC() { return window().hDC; }
  void Unload() { window_.unload(); }

  void Form_Load();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void Picture1_MouseMove() {}
  void EndClip_Click();

  std::int32_t SelWidth = 0;
  std::int32_t SelHeight = 0;
  Colour SelColor;

 private:
  std::unique_ptr<Form2Window> createWindow();
  void UpdateClipMenu();
  void DrawSelFrame();

  Module1& module1_;
  Desktop& desktop_;
  Form3& form3_;
  LazyWindow<Form2Window> window_;
};

}  // namespace kepa
