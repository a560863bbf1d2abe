#include "app/app.h"

#include <cstdio>

#include "runtime/notification_area.h"

namespace kepa {

App::App(Desktop desktop, const WindowFactories& windows, RandomSource random)
    : desktop_(desktop),
      random_(std::move(random)),
      form3_(module1_, desktop.screen, windows.form3,
             [this]() -> DeviceContext& { return form2_.hDC(); }),
      form4_(module1_, desktop.screen, desktop.dialogs, windows.form4),
      form2_(module1_, desktop, windows.form2, form3_, form4_, random_),
      form1_(desktop, windows.form1, form2_, [this] { End(); }) {}

App::~App() {
  if (!ended_) form1_.Unload();
  form4_.Unload();
  form2_.Unload();
  form3_.Unload();
}

bool App::start(Launch launch) {
  const bool trayFound = waitForNotificationArea(
      desktop_.shell, desktop_.life, launch == Launch::AtLogin ? kLoginTrayWait : kTrayWait);
  if (ended_) return false;  // asked to end while waiting
  if (!trayFound) {
    std::fprintf(stderr, "kepa: %s\n", kNoTrayMessage);
    desktop_.dialogs.showMessage(MessageKind::Critical, "KEPA", kNoTrayMessage);
    return false;
  }
  form1_.window();
  started_ = true;
  if (captureRequested_) {
    captureRequested_ = false;
    requestCapture();
  }
  return true;
}

void App::requestCapture() {
  if (ended_ || desktop_.life.ending()) return;
  if (!started_) {
    captureRequested_ = true;
    return;
  }
  if (form2_.isLoaded() || desktop_.dialogs.popupShown()) return;
  form1_.StartCap_Click();
}

void App::End() {
  if (ended_) return;
  ended_ = true;
  // Closing runs no further handlers: the icon went with the Form_Unload that came first.
  form1_.closeWindow();
  form4_.Unload();
  form2_.Unload();
  form3_.Unload();
  desktop_.life.endProgram(0);
}

}  // namespace kepa
