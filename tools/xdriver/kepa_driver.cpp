#include "tools/xdriver/kepa_driver.h"

namespace kepa::xdriver {

using std::chrono::seconds;

KepaDriver::KepaDriver(XSession& session, std::string binary, std::string logPath)
    : KepaDriver(session, std::vector<std::string>{std::move(binary)}, std::move(logPath)) {}

KepaDriver::KepaDriver(XSession& session, std::vector<std::string> command, std::string logPath)
    : session_(session), command_(std::move(command)), logPath_(std::move(logPath)) {
  start();
}

void KepaDriver::start(const std::vector<std::string>& arguments,
                       const std::map<std::string, std::string>& added) {
  process_.reset();
  auto environment = session_.environment();
  environment.insert(added.begin(), added.end());
  // Constructed in place: assigning a one-character literal to a std::string trips GCC 12's
  // false -Wrestrict at -O3 (GCC bug 105329).
  environment.insert_or_assign("KEPA_TRACE_MENUS", std::string(1, '1'));
  std::vector<std::string> command = command_;
  command.insert(command.end(), arguments.begin(), arguments.end());
  process_ = std::make_unique<Process>(command, environment, logPath_);
}

std::optional<int> KepaDriver::runAgain(const std::vector<std::string>& arguments,
                                        std::chrono::milliseconds timeout) {
  std::vector<std::string> command = command_;
  command.insert(command.end(), arguments.begin(), arguments.end());
  Process again(command, session_.environment(), logPath_ + ".again");
  return again.waitFor(timeout);
}

bool KepaDriver::captureFromCommandLine() {
  return runAgain({"--capture"}) == 0 &&
         waitUntil([&] { return clippingWindow().has_value(); }, seconds(10));
}

std::string KepaDriver::log() const {
  return readFile(logPath_);
}

std::vector<XWindow> KepaDriver::windows() {
  return session_.windowsOf(process_->pid());
}

std::optional<XWindow> KepaDriver::trayIcon() {
  std::optional<XWindow> icon;
  waitUntil(
      [&] {
        for (const XWindow& window : windows()) {
          if (window.embedded) icon = window;
        }
        return icon.has_value();
      },
      seconds(20));
  return icon;
}

std::vector<XWindow> KepaDriver::menus() {
  std::vector<XWindow> found;
  const QRect screen = session_.screen();
  for (const XWindow& window : windows()) {
    // A window that covers the screen is the clipping window, also after the screen shrank
    // under it; it must not stand for a menu that has not shown yet.
    if (window.overrideRedirect && !window.embedded &&
        window.type.find("TOOLTIP") == std::string::npos && !window.geometry.contains(screen)) {
      found.push_back(window);
    }
  }
  return found;
}

std::optional<XWindow> KepaDriver::clippingWindow() {
  const QRect screen = session_.screen();
  for (const XWindow& window : windows()) {
    if (window.geometry == screen) return window;
  }
  return std::nullopt;
}

std::optional<XWindow> KepaDriver::splash() {
  for (const XWindow& window : windows()) {
    if (window.type == "_NET_WM_WINDOW_TYPE_SPLASH") return window;
  }
  return std::nullopt;
}

bool KepaDriver::openTrayMenu() {
  const std::optional<XWindow> icon = trayIcon();
  if (!icon) return false;
  const QPoint centre = icon->geometry.center();
  session_.xdotool("mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                   " mousedown 3");
  return waitUntil([&] { return !menus().empty(); }, seconds(10));
}

bool KepaDriver::startCapture() {
  if (!openTrayMenu()) return false;
  session_.xdotool("mouseup 3 key Down Return");
  return waitUntil([&] { return clippingWindow().has_value(); }, seconds(10));
}

std::size_t KepaDriver::timesChosen(const std::string& chosen) const {
  const std::string text = log();
  const std::string line = "kepa: chosen " + chosen + "\n";
  std::size_t found = 0;
  for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
    ++found;
  return found;
}

bool KepaDriver::chooseFromMenu(const std::string& keys, const std::string& chosen) {
  const std::size_t before = timesChosen(chosen);
  session_.xdotool("mousedown 3");
  if (!waitUntil([&] { return !menus().empty(); }, seconds(10))) return false;
  session_.xdotool("key " + keys + " mouseup 3");
  return waitUntil([&] { return timesChosen(chosen) > before; }, seconds(10));
}

std::optional<XWindow> KepaDriver::windowNamed(const std::string& name) {
  for (const XWindow& window : windows()) {
    if (window.name == name) return window;
  }
  return std::nullopt;
}

}  // namespace kepa::xdriver
