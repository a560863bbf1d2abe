#include "own_display.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string_view>

#include <QByteArray>
#include <QtGlobal>

#include "bench_support.h"

namespace kepa::bench {
namespace {

// Marks the run that a --wayland run starts inside its session.
constexpr std::string_view kInsideWayland = "--inside-wayland-session";

}  // namespace

OwnDisplay::OwnDisplay(int argc, char* argv[]) {
  bool startWayland = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (std::sscanf(argv[i], "--screen=%dx%d", &width_, &height_) == 2) continue;
    if (std::sscanf(argv[i], "--scale=%lf", &scale_) == 1) continue;
    if (argument == "--without-shm") {
      withoutShm_ = true;
    } else if (argument == "--wayland") {
      startWayland = true;
    } else if (argument == kInsideWayland) {
      wayland_ = true;
    } else {
      arguments.push_back(argv[i]);
    }
  }
  if (startWayland) {
    wayland_ = true;
    waylandSession_ = std::make_unique<wldriver::WaylandSession>(
        width_, height_, imageOf(busySurface(width_, height_, 7)));
    return;
  }
  // Xwayland under the session is the program's X server: the session set the environment.
  qputenv("QT_QPA_PLATFORM", "xcb");
  if (wayland_) return;
  session_ = std::make_unique<xdriver::XSession>(
      xdriver::XSession::Desktop::BareServer, width_, height_,
      withoutShm_ ? std::vector<std::string>{"-extension", "MIT-SHM"} : std::vector<std::string>{});
  session_->setRootPicture(imageOf(busySurface(width_, height_, 7)));
  // A scaled desktop says so in its X resources, as GNOME, KDE and Xfce do.
  if (scale_ != 1.0) session_->setResources("Xft.dpi: " + std::to_string(96.0 * scale_));
  qputenv("DISPLAY", QByteArray::fromStdString(session_->display()));
}

std::string OwnDisplay::name() const {
  std::string text = std::to_string(width_) + "x" + std::to_string(height_);
  if (scale_ != 1.0) text += " at " + std::to_string(static_cast<int>(scale_ * 100)) + "%";
  if (withoutShm_) text += " without MIT-SHM";
  if (wayland_) text += " on Wayland";
  return text;
}

std::optional<int> OwnDisplay::runInWaylandSession(const char* program) const {
  if (!waylandSession_) return std::nullopt;
  std::vector<std::string> command{
      std::filesystem::canonical("/proc/self/exe").string(), std::string(kInsideWayland),
      "--screen=" + std::to_string(width_) + "x" + std::to_string(height_)};
  for (std::size_t i = 1; i < arguments.size(); ++i)
    command.emplace_back(arguments[i]);
  const std::string output = waylandSession_->directory() + "/bench.out";
  auto run = waylandSession_->start(command, output);
  const std::optional<int> status = run->waitFor(std::chrono::minutes(30));
  std::cout << xdriver::readFile(output);
  if (!status) std::cerr << program << ": the run in the Wayland session did not end\n";
  return status.value_or(1);
}

}  // namespace kepa::bench
