// The program: Module1, the Desktop and the code modules of the windows, wired together.
#pragma once

#include <chrono>

#include "app/form1.h"
#include "app/module1.h"
#include "clip/form2.h"
#include "magnifier/form3.h"
#include "platform/qt/desktop.h"

namespace kepa {

class App {
 public:
  // How long start-up waits for a notification area (a tray host may still be starting).
  static constexpr std::chrono::milliseconds kTrayWait{5000};

  explicit App(Desktop& desktop);
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  // Loads Form1, which registers the icon. Without a notification area the program could not
  // be reached at all: then it says so and returns false, and the program ends with status 1.
  // It also returns false when the program was ended while start-up waited.
  [[nodiscard]] bool start();

  // Ends the program at once: every window closes, then the event loop stops.
  void End();
  [[nodiscard]] bool ended() const { return ended_; }

  [[nodiscard]] Module1& module1() { return module1_; }
  [[nodiscard]] Form1& form1() { return form1_; }
  [[nodiscard]] Form2& form2() { return form2_; }
  [[nodiscard]] Form3& form3() { return form3_; }

 private:
  Desktop& desktop_;
  Module1 module1_;
  Form3 form3_;
  Form2 form2_;
  Form1 form1_;
  bool ended_ = false;
};

// What start-up says when there is no notification area.
inline constexpr const char* kNoTrayMessage =
    "通知領域（システムトレイ）が見つかりません。アイコンを表示できないため、KEPA を終了します。";

}  // namespace kepa
