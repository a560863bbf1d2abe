// The kepa binary running in an XSession, and what a user sees and does with it there: its
// tray icon, its popup menus, its splash, a right press on the icon.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/xdriver/process.h"
#include "tools/xdriver/x_session.h"

namespace kepa::xdriver {

class KepaDriver {
 public:
  // Starts `binary` in the session with its menu trace on; its output goes to `logPath`.
  KepaDriver(XSession& session, std::string binary, std::string logPath);
  // The same with a whole command line, e.g. `env VARIABLE=value binary`, as a desktop
  // entry's Exec line runs it.
  KepaDriver(XSession& session, std::vector<std::string> command, std::string logPath);

  // Starts the program (again) with `arguments` and `environment` added to the session's:
  // the previous run, if any, is stopped first.
  void start(const std::vector<std::string>& arguments = {},
             const std::map<std::string, std::string>& environment = {});
  // Runs the program once more beside the running one, as a second start from a menu or a
  // shortcut does, and waits for it to end: its exit status, or nothing if it still runs after
  // `timeout` (then it is stopped).
  [[nodiscard]] std::optional<int> runAgain(
      const std::vector<std::string>& arguments,
      std::chrono::milliseconds timeout = std::chrono::seconds(20));
  [[nodiscard]] Process& process() { return *process_; }
  [[nodiscard]] std::string log() const;

  // The mapped windows of the program.
  [[nodiscard]] std::vector<XWindow> windows();
  // The icon docked in the tray, waiting for it to appear.
  [[nodiscard]] std::optional<XWindow> trayIcon();
  // Open popup menus: override-redirect top-level windows other than tooltips and the
  // clipping window.
  [[nodiscard]] std::vector<XWindow> menus();
  // The clipping window, if it is shown: the program's window that covers the screen.
  [[nodiscard]] std::optional<XWindow> clippingWindow();
  // The version splash, if it is shown.
  [[nodiscard]] std::optional<XWindow> splash();
  // Presses the right button on the icon and keeps it down; true once a menu is up.
  [[nodiscard]] bool openTrayMenu();
  // Chooses スタ－トキャプチャ－ from the tray menu and waits for the frozen screen.
  [[nodiscard]] bool startCapture();
  // Runs `kepa --capture` beside the running program; true once it has ended with status 0
  // and the running program shows the frozen screen.
  [[nodiscard]] bool captureFromCommandLine();
  // Presses the right button where the pointer is, sends `keys` to the menu that opens and
  // waits until the program has traced the choice of the item captioned `chosen`.
  [[nodiscard]] bool chooseFromMenu(const std::string& keys, const std::string& chosen);
  // A mapped window of the program whose name is `name`.
  [[nodiscard]] std::optional<XWindow> windowNamed(const std::string& name);

 private:
  [[nodiscard]] std::size_t timesChosen(const std::string& chosen) const;

  XSession& session_;
  std::vector<std::string> command_;
  std::string logPath_;
  std::unique_ptr<Process> process_;
};

}  // namespace kepa::xdriver
