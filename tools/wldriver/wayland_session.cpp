#include "tools/wldriver/wayland_session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace kepa::wldriver {

using std::chrono::seconds;
using xdriver::Process;
using xdriver::readFile;
using xdriver::waitUntil;

namespace {

// What the session user's programs see: the session's own variables and nothing of the
// caller's.
const char* const kSessionScript = R"(#!/bin/sh
# The session: sway first, then what needs its display, on the bus this script runs on.
dir=$1
sway -c "$dir/sway.conf" > "$dir/sway.log" 2>&1 &
for i in $(seq 200); do [ -S "$XDG_RUNTIME_DIR/wayland-1" ] && break; sleep 0.05; done
export WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/wayland-1"
export SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)
dbus-update-activation-environment WAYLAND_DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
pipewire > "$dir/pipewire.log" 2>&1 &
waybar -c "$dir/waybar.json" > "$dir/waybar.log" 2>&1 &
mkfifo "$dir/pointer"
exec 3<> "$dir/pointer"
"$VIRTUAL_POINTER" "$OUTPUT_SIZE" <&3 > "$dir/pointer.out" 2>&1 &
printf 'WAYLAND_DISPLAY=%s\nSWAYSOCK=%s\nDBUS_SESSION_BUS_ADDRESS=%s\n' \
  "$WAYLAND_DISPLAY" "$SWAYSOCK" "$DBUS_SESSION_BUS_ADDRESS" > "$dir/env.tmp"
mv "$dir/env.tmp" "$dir/env"
wait
)";

std::map<std::string, std::string> parseEnvironment(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

std::size_t countOf(const std::string& text, const std::string& word) {
  std::size_t count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
    ++count;
  return count;
}

}  // namespace

WaylandSession::WaylandSession(int width, int height, const QImage& background, int scale) {
  char pattern[] = "/tmp/kepa-wayland-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("no session directory");
  directory_ = pattern;
  const bool root = ::getuid() == 0;
  user_ = root ? "nobody" : "";
  const std::string runtime = directory_ + "/runtime";
  std::filesystem::create_directories(runtime);
  std::filesystem::create_directories(directory_ + "/home");
  std::filesystem::permissions(directory_, std::filesystem::perms(0755));
  std::filesystem::permissions(runtime, std::filesystem::perms(0700));
  // The wlr portal writes every screenshot to this one path; one left by another user would
  // stand in its way.
  std::filesystem::remove("/tmp/out.png");

  background.save(QString::fromStdString(directory_ + "/background.png"));
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  std::ofstream(directory_ + "/sway.conf")
      << "output HEADLESS-1 resolution " << size << " scale " << scale << " position 0 0 bg "
      << directory_ << "/background.png stretch\n"
      << "xwayland enable\ndefault_border none\n"
      << "exec sh -c 'echo \"$DISPLAY\" > " << directory_ << "/x-display'\n";
  std::ofstream(directory_ + "/waybar.json")
      << R"({"layer": "top", "position": "top", "height": 30, "modules-right": ["tray"],)"
      << R"( "tray": {"icon-size": 22, "spacing": 4}})" << '\n';
  std::ofstream(directory_ + "/session.sh") << kSessionScript;
  if (root) {
    const std::string owner = "chown -R nobody:nogroup " + directory_;
    if (std::system(owner.c_str()) != 0) throw std::runtime_error("cannot hand over " + directory_);
  }

  environment_ = {{"PATH", "/usr/local/bin:/usr/bin:/bin"},
                  {"HOME", directory_ + "/home"},
                  {"XDG_RUNTIME_DIR", runtime},
                  {"XDG_CURRENT_DESKTOP", "sway"},
                  {"XDG_SESSION_TYPE", "wayland"},
                  {"LANG", "C.UTF-8"}};
  auto sessionEnvironment = environment_;
  sessionEnvironment.insert(
      {{"WLR_BACKENDS", "headless"},
       {"WLR_LIBINPUT_NO_DEVICES", "1"},
       {"WLR_RENDERER", "pixman"},
       {"VIRTUAL_POINTER", KEPA_VIRTUAL_POINTER},
       {"OUTPUT_SIZE", std::to_string(width / scale) + "x" + std::to_string(height / scale)}});
  std::vector<std::string> command = root ? std::vector<std::string>{"setpriv",
                                                                     "--reuid=nobody",
                                                                     "--regid=nogroup",
                                                                     "--clear-groups",
                                                                     "env",
                                                                     "-i"}
                                          : std::vector<std::string>{"env", "-i"};
  for (const auto& [name, value] : sessionEnvironment)
    command.push_back(name + "=" + value);
  command.insert(command.end(),
                 {"dbus-run-session", "--", "sh", directory_ + "/session.sh", directory_});
  session_ = std::make_unique<Process>(command, std::map<std::string, std::string>{},
                                       directory_ + "/session.log");

  const bool up = waitUntil(
      [&] {
        return std::filesystem::exists(directory_ + "/env") &&
               !readFile(directory_ + "/x-display").empty() &&
               readFile(directory_ + "/pointer.out").find("ready") != std::string::npos;
      },
      seconds(30));
  if (!up) throw std::runtime_error("the Wayland session did not start: see " + directory_);
  for (const auto& [name, value] : parseEnvironment(readFile(directory_ + "/env")))
    environment_[name] = value;
  std::string display = readFile(directory_ + "/x-display");
  display.erase(display.find_last_not_of(" \n") + 1);
  environment_["DISPLAY"] = display;
  const bool hosted = waitUntil(
      [&] {
        return run(
            "gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path "
            "/StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get "
            "org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered | grep -q true");
      },
      seconds(30));
  if (!hosted) throw std::runtime_error("waybar's tray did not come up: see " + directory_);
}

WaylandSession::~WaylandSession() {
  // The bus ends with its session script, but what it started (sway, Xwayland, the portals)
  // stays in the script's process group: the group ends with the session.
  const pid_t group = session_->pid();
  ::kill(-group, SIGTERM);
  waitUntil([&] { return ::kill(-group, 0) != 0; }, std::chrono::milliseconds(1000));
  ::kill(-group, SIGKILL);
  session_->stop();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::unique_ptr<Process> WaylandSession::start(std::vector<std::string> argv,
                                               const std::string& outputPath) const {
  std::vector<std::string> command =
      user_.empty()
          ? std::vector<std::string>{"env", "-i"}
          : std::vector<std::string>{
                "setpriv", "--reuid=" + user_, "--regid=nogroup", "--clear-groups", "env", "-i"};
  for (const auto& [name, value] : environment_)
    command.push_back(name + "=" + value);
  command.insert(command.end(), argv.begin(), argv.end());
  return std::make_unique<Process>(command, std::map<std::string, std::string>{}, outputPath);
}

bool WaylandSession::run(const std::string& commandLine) const {
  const auto done = start({"sh", "-c", commandLine}, directory_ + "/run.log")->waitFor(seconds(20));
  return done == 0;
}

QImage WaylandSession::screenshot() const {
  const std::string path = directory_ + "/screen.png";
  if (!run("grim " + path)) return {};
  return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

std::string WaylandSession::trayItems() const {
  const std::string path = directory_ + "/items";
  if (!run("gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path "
           "/StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get "
           "org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems > " +
           path)) {
    return {};
  }
  return readFile(path);
}

void WaylandSession::pointer(const std::string& command) {
  const int fifo = ::open((directory_ + "/pointer").c_str(), O_WRONLY);
  if (fifo < 0) throw std::runtime_error("the virtual pointer is gone");
  const std::string line = command + "\n";
  [[maybe_unused]] const auto written = ::write(fifo, line.data(), line.size());
  ::close(fifo);
  ++pointerCommands_;
  const std::string out = directory_ + "/pointer.out";
  waitUntil(
      [&] { return countOf(readFile(out), "ok\n") >= static_cast<std::size_t>(pointerCommands_); },
      seconds(5));
}

void WaylandSession::movePointer(QPoint to) {
  pointer("move " + std::to_string(to.x()) + " " + std::to_string(to.y()));
}

void WaylandSession::press(unsigned button) {
  pointer("press " + std::to_string(button));
}

void WaylandSession::release(unsigned button) {
  pointer("release " + std::to_string(button));
}

void WaylandSession::click(QPoint at, unsigned button) {
  movePointer(at);
  press(button);
  release(button);
}

}  // namespace kepa::wldriver
