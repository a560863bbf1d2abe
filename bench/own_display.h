// A benchmark program's own display: a bare Xvfb of the asked size (--screen=WIDTHxHEIGHT,
// taken out of the arguments) with a busy picture on it, made the display of Qt's xcb
// platform; or, with --wayland, a headless Wayland session with the same picture as its
// background, in which the program runs again as the session's user.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/wldriver/wayland_session.h"
#include "tools/xdriver/x_session.h"

namespace kepa::bench {

class OwnDisplay {
 public:
  // Reads and removes --screen=WIDTHxHEIGHT (default 1920 x 1080), --scale=FACTOR (the
  // desktop's scale, default 1), --without-shm (a server without MIT-SHM) and --wayland
  // from argv, starts the server or the session and points the environment at it;
  // `arguments` holds what is left.
  OwnDisplay(int argc, char* argv[]);

  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }
  // "WIDTHxHEIGHT", the suffix of the benchmark names.
  [[nodiscard]] std::string name() const;
  [[nodiscard]] bool withoutShm() const { return withoutShm_; }
  // In a Wayland session: the one started here, or the one this run was started in.
  [[nodiscard]] bool wayland() const { return wayland_; }
  [[nodiscard]] xdriver::XSession& session() { return *session_; }

  // When this run started a Wayland session: runs the program again inside it with the
  // arguments left, prints what that run printed, and gives its exit status.
  [[nodiscard]] std::optional<int> runInWaylandSession(const char* program) const;

  std::vector<char*> arguments;

 private:
  int width_ = 1920;
  int height_ = 1080;
  double scale_ = 1.0;
  bool withoutShm_ = false;
  bool wayland_ = false;
  std::unique_ptr<xdriver::XSession> session_;
  std::unique_ptr<wldriver::WaylandSession> waylandSession_;
};

}  // namespace kepa::bench
