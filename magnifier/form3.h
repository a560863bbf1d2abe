// Form3: the magnifier window's code module. Each tick of its timer enlarges the 15 x 15
// captured pixels around the pointer, marks the centre pixel and shows the coordinates.
#pragma once

#include <functional>

#include "app/module1.h"
#include "core/device_context.h"
#include "magnifier/form3_face.h"
#include "runtime/lazy_window.h"
#include "runtime/screen.h"

namespace kepa {

class Form3 {
 public:
  // `capturedScreen` gives the device context of the clipping window's captured image.
  Form3(Module1& module1, Screen& screen, Form3Face::Factory makeWindow,
        std::function<DeviceContext&()> capturedScreen);

  Form3Face& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  // Visible: reading it loads the window (hidden) if it does not exist yet.
  [[nodiscard]] bool Visible() { return window().Visible(); }
  void Unload() { window_.unload(); }

  void Form_Load() {}
  void Timer1_Timer();
  void Form_MouseMove(int button, int shift, float x, float y);

 private:
  std::unique_ptr<Form3Face> createWindow();

  Module1& module1_;
  Screen& screen_;
  Form3Face::Factory createWindow_;
  std::function<DeviceContext&()> capturedScreen_;
  LazyWindow<Form3Face> window_;
};

}  // namespace kepa
