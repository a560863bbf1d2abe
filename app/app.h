// The program: Module1, the Desktop and the code modules of the windows, wired together.
#pragma once

#include <chrono>

#include "app/form1.h"
#include "app/module1.h"
#include "app/window_factories.h"
#include "clip/form2.h"
#include "effects/surprise.h"
#include "magnifier/form3.h"
#include "runtime/desktop.h"
#include "settings/form4.h"

namespace kepa {

// How the program was started: by the user (a terminal, the menu), or by the session at login,
// when the panel with the notification area may come up well after the programs it starts.
enum class Launch { ByUser, AtLogin };

class App {
 public:
  // How long start-up waits for a notification area (a tray host may still be starting).
  static constexpr std::chrono::milliseconds kTrayWait{5000};
  // At login: a slow panel is normal then, so the wait is long enough for one.
  static constexpr std::chrono::milliseconds kLoginTrayWait{120000};

  // The windows come from `windows`; `random` is the surprise effect's generator (tests give
  // it a fixed seed).
  App(Desktop desktop, const WindowFactories& windows, RandomSource random = RandomSource());
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  // Waits quietly for a notification area (how long depends on `launch`), then loads Form1,
  // which registers the icon. Without one the program could not be reached at all: then it
  // says so and returns false, and the program ends with status 1. It also returns false when
  // the program was ended while start-up waited.
  [[nodiscard]] bool start(Launch launch = Launch::ByUser);

  // スタ－トキャプチャ－ asked for from outside the tray menu (a start with --capture). It runs
  // StartCap_Click as the menu item does, but only while nothing of the program is open: with
  // a clipping window (and so any of its dialogs) or a popup menu up it changes nothing. Asked
  // for while start-up still waits for the notification area, it runs once the icon is there.
  void requestCapture();

  // Ends the program at once: every window closes, then the event loop stops.
  void End();
  [[nodiscard]] bool ended() const { return ended_; }

  [[nodiscard]] Module1& module1() { return module1_; }
  [[nodiscard]] Form1& form1() { return form1_; }
  [[nodiscard]] Form2& form2() { return form2_; }
  [[nodiscard]] Form3& form3() { return form3_; }
  [[nodiscard]] Form4& form4() { return form4_; }

 private:
  Desktop desktop_;
  Module1 module1_;
  RandomSource random_;
  Form3 form3_;
  Form4 form4_;
  Form2 form2_;
  Form1 form1_;
  bool started_ = false;
  bool captureRequested_ = false;
  bool ended_ = false;
};

// What start-up says when there is no notification area.
inline constexpr const char* kNoTrayMessage =
    "通知領域（システムトレイ）が見つかりません。アイコンを表示できないため、KEPA を終了します。";

}  // namespace kepa
