// A benchmark program's own X server: a bare Xvfb of the asked size (--screen=WIDTHxHEIGHT,
// taken out of the arguments) with a busy picture on it, made the display of Qt's xcb
// platform.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/xdriver/x_session.h"

namespace kepa::bench {

class OwnDisplay {
 public:
  // Reads and removes --screen=WIDTHxHEIGHT (default 1920 x 1080), --scale=FACTOR (the
  // desktop's scale, default 1) and --without-shm (a server without MIT-SHM) from argv,
  // starts the server and points the environment at it; `arguments` holds what is left.
  OwnDisplay(int argc, char* argv[]);

  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }
  // "WIDTHxHEIGHT", the suffix of the benchmark names.
  [[nodiscard]] std::string name() const;
  [[nodiscard]] bool withoutShm() const { return withoutShm_; }
  [[nodiscard]] xdriver::XSession& session() { return *session_; }

  std::vector<char*> arguments;

 private:
  int width_ = 1920;
  int height_ = 1080;
  double scale_ = 1.0;
  bool withoutShm_ = false;
  std::unique_ptr<xdriver::XSession> session_;
};

}  // namespace kepa::bench
