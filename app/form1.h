// Form1: the start-up window's code module. It owns the notification icon and its menu,
// the version splash and the end of the program.
#pragma once

#include <cstdint>
#include <functional>

#include "app/form1_face.h"
#include "clip/form2.h"
#include "runtime/desktop.h"
#include "runtime/lazy_window.h"
#include "runtime/notify_icon_data.h"

namespace kepa {

class Form1 {
 public:
  // `endProgram` closes every window of the program and ends it.
  Form1(Desktop desktop, Form1Face::Factory makeWindow, Form2& form2,
        std::function<void()> endProgram);

  // The window, loading it (and running Form_Load) on first reference.
  Form1Face& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  // Unload: Form_Unload runs (removing the icon), then the window is destroyed.
  void Unload();
  // Destroys the window without running Form_Unload, as the end of the program does.
  void closeWindow() { window_.unload(); }

  void Form_Load();
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_Unload(int& cancel);
  void VerP_Click();
  void Timer1_Timer();
  void ExitKepa_Click();
  void StartCap_Click();

  // The record passed to every Shell_NotifyIconA call.
  [[nodiscard]] const NOTIFYICONDATA& notifyIconData() const { return nid_; }

 private:
  std::unique_ptr<Form1Face> createWindow();

  Desktop desktop_;
  Form1Face::Factory createWindow_;
  Form2& form2_;
  std::function<void()> endProgram_;
  // The screen's size in pixels, recomputed at every capture.
  std::int32_t ScreenWidthPx_ = 0;
  std::int32_t ScreenHeightPx_ = 0;
  NOTIFYICONDATA nid_{};
  bool capturing_ = false;  // inside StartCap_Click
  LazyWindow<Form1Face> window_;
};

}  // namespace kepa
