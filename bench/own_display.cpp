#include "own_display.h"

#include <cstdio>

#include <QByteArray>
#include <QtGlobal>

#include "bench_support.h"

namespace kepa::bench {

OwnDisplay::OwnDisplay(int argc, char* argv[]) {
  for (int i = 0; i < argc; ++i) {
    if (std::sscanf(argv[i], "--screen=%dx%d", &width_, &height_) == 2) continue;
    arguments.push_back(argv[i]);
  }
  session_ =
      std::make_unique<xdriver::XSession>(xdriver::XSession::Desktop::BareServer, width_, height_);
  session_->setRootPicture(imageOf(busySurface(width_, height_, 7)));
  qputenv("DISPLAY", QByteArray::fromStdString(session_->display()));
  qputenv("QT_QPA_PLATFORM", "xcb");
}

std::string OwnDisplay::name() const {
  return std::to_string(width_) + "x" + std::to_string(height_);
}

}  // namespace kepa::bench
