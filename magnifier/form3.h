// Form3: the magnifier window's code module.
#pragma once

#include "magnifier/form3_window.h"
#include "platform/qt/lazy_window.h"

namespace kepa {

class Form3 {
 public:
  Form3();

  Form3Window& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  // Visible: reading it loads the window (hidden) if it does not exist yet.
  [[nodiscard]] bool Visible() { return window().isVisible(); }
  void Unload() { window_.unload(); }

  void Form_Load() {}

 private:
  LazyWindow<Form3Window> window_;
};

}  // namespace kepa
