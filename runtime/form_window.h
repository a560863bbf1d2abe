// A window of the program as the code that drives it sees it, whatever draws it: the front
// end (Qt, or the fakes of the tests) makes it, and each window adds a face of its own.
#pragma once

namespace kepa {

class FormWindow {
 public:
  FormWindow() = default;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  virtual ~FormWindow() = default;

  // Unload: the window disappears at once and its timers stop, and it destroys itself once
  // control returns to the event loop, since an unload is often asked for from inside one of
  // its own events. Whoever owned it lets go of it first.
  virtual void destroyLater() = 0;
};

}  // namespace kepa
