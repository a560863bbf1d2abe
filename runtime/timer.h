// A timer control: setting the interval to 0 stops it, any other value (re)starts it with
// that interval; each tick runs its window's handler.
#pragma once

namespace kepa {

class Timer {
 public:
  Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  virtual ~Timer() = default;

  virtual void setInterval(int milliseconds) = 0;
  [[nodiscard]] virtual int interval() const = 0;
};

}  // namespace kepa
