#include "own_display.h"

#include <cstdio>
#include <string_view>

#include <QByteArray>
#include <QtGlobal>

#include "bench_support.h"

namespace kepa::bench {

OwnDisplay::OwnDisplay(int argc, char* argv[]) {
  for (int i = 0; i < argc; ++i) {
    if (std::sscanf(argv[i], "--screen=%dx%d", &width_, &height_) == 2) continue;
    if (std::sscanf(argv[i], "--scale=%lf", &scale_) == 1) continue;
    if (std::string_view(argv[i]) == "--without-shm") {
      withoutShm_ = true;
      continue;
    }
    arguments.push_back(argv[i]);
  }
  session_ = std::make_unique<xdriver::XSession>(
      xdriver::XSession::Desktop::BareServer, width_, height_,
      withoutShm_ ? std::vector<std::string>{"-extension", "MIT-SHM"} : std::vector<std::string>{});
  session_->setRootPicture(imageOf(busySurface(width_, height_, 7)));
  // A scaled desktop says so in its X resources, as GNOME, KDE and Xfce do.
  if (scale_ != 1.0) session_->setResources("Xft.dpi: " + std::to_string(96.0 * scale_));
  qputenv("DISPLAY", QByteArray::fromStdString(session_->display()));
  qputenv("QT_QPA_PLATFORM", "xcb");
}

std::string OwnDisplay::name() const {
  std::string text = std::to_string(width_) + "x" + std::to_string(height_);
  if (scale_ != 1.0) text += " at " + std::to_string(static_cast<int>(scale_ * 100)) + "%";
  if (withoutShm_) text += " without MIT-SHM";
  return text;
}

}  // namespace kepa::bench
