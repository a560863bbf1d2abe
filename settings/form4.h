// Form4: the custom settings dialog's code module. It is created afresh on every showing and
// destroyed by OK, Cancel or its close button; everything that outlives it is in Module1.
#pragma once

#include "app/module1.h"
#include "runtime/dialogs.h"
#include "runtime/lazy_window.h"
#include "runtime/screen.h"
#include "settings/form4_face.h"

namespace kepa {

class Form4 {
 public:
  Form4(Module1& module1, Screen& screen, Dialogs& dialogs, Form4Face::Factory makeWindow);

  Form4Face& window() { return window_.get(); }
  [[nodiscard]] bool isLoaded() const { return window_.isLoaded(); }
  void Unload() { window_.unload(); }
  // Form4.Show vbModal with `owner` waiting for it: loads the dialog and returns once it has
  // been destroyed.
  void ShowModal(FormWindow* owner);

  void Form_Load();
  void RScroll1_Scroll();
  void GScroll1_Scroll();
  void BScroll1_Scroll();
  void Command1_Click();
  void Command2_Click();

 private:
  std::unique_ptr<Form4Face> createWindow();

  Module1& module1_;
  Screen& screen_;
  Dialogs& dialogs_;
  Form4Face::Factory createWindow_;
  LazyWindow<Form4Face> window_;
};

}  // namespace kepa
