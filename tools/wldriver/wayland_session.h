// A private Wayland session for driving the program: sway on its headless backend with
// Xwayland, a session bus of its own with PipeWire and the desktop portals, waybar as the
// StatusNotifierItem tray host, and a virtual pointer for input. Everything runs as one
// unprivileged user (sway refuses root, and the portal serves only callers whose files it can
// open), started by the object and ended with it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>

#include "tools/xdriver/process.h"

namespace kepa::wldriver {

class WaylandSession {
 public:
  // The pointer's buttons (evdev codes).
  static constexpr unsigned kLeft = 272;
  static constexpr unsigned kRight = 273;

  // An output of width x height pixels at `scale` with `background` stretched over it; the
  // pointer moves in the output's logical pixels (width / scale x height / scale).
  WaylandSession(int width, int height, const QImage& background, int scale = 1);
  WaylandSession(const WaylandSession&) = delete;
  WaylandSession& operator=(const WaylandSession&) = delete;
  ~WaylandSession();

  [[nodiscard]] const std::string& directory() const { return directory_; }
  // Runs a program as the session's user in the session (Wayland, Xwayland's DISPLAY and
  // the bus); its output goes to `outputPath`.
  [[nodiscard]] std::unique_ptr<xdriver::Process> start(std::vector<std::string> argv,
                                                        const std::string& outputPath) const;
  // Runs a shell command line as the session's user; true when it succeeded.
  bool run(const std::string& commandLine) const;
  // The output's pixels, as grim reads them (without the pointer).
  [[nodiscard]] QImage screenshot() const;
  // The status notifier items that the tray host shows.
  [[nodiscard]] std::string trayItems() const;

  void movePointer(QPoint to);
  void press(unsigned button);
  void release(unsigned button);
  void click(QPoint at, unsigned button);

 private:
  void pointer(const std::string& command);

  std::string directory_;
  std::string user_;
  std::map<std::string, std::string> environment_;
  std::unique_ptr<xdriver::Process> session_;
  int pointerCommands_ = 0;
};

}  // namespace kepa::wldriver
