// kepa_tour: shows kepa working where there is no desktop. It starts a private X server with
// a window manager and tray host, starts kepa in it, opens the tray menu, shows the version
// splash, saves a screenshot of each in the output folder and prints their paths, then ends
// kepa from its menu and stops everything it started.
//
// usage: kepa_tour KEPA_BINARY OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <thread>

#include "tools/xdriver/kepa_driver.h"
#include "tools/xdriver/x_session.h"

namespace {

using kepa::xdriver::KepaDriver;
using kepa::xdriver::waitUntil;
using kepa::xdriver::XSession;
using std::chrono::milliseconds;
using std::chrono::seconds;

// A moment for the windows to paint before the picture is taken.
void settle() {
  std::this_thread::sleep_for(milliseconds(500));
}

int fail(const char* what, const KepaDriver& kepa) {
  std::fprintf(stderr, "kepa_tour: %s\n%s", what, kepa.log().c_str());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s KEPA_BINARY OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path output = argv[2];
  std::filesystem::create_directories(output);
  XSession session;
  std::printf("Private X server on %s with icewm\n", session.display().c_str());
  KepaDriver kepa(session, argv[1], (output / "kepa.log").string());
  std::vector<std::string> pictures;
  const auto picture = [&](const char* name) {
    settle();
    const std::string path = (output / name).string();
    session.screenshot().save(QString::fromStdString(path));
    pictures.push_back(path);
  };

  // A right press on the icon opens the tray menu.
  if (!kepa.openTrayMenu()) return fail("the tray menu did not open", kepa);
  picture("kepa-tray-menu.png");

  // "バ－ジョン情報" shows the splash for 2.5 seconds.
  session.xdotool("mouseup 3 key Down Down Return");
  if (!waitUntil([&] { return kepa.splash().has_value(); }, seconds(10))) {
    return fail("the splash did not appear", kepa);
  }
  picture("kepa-splash.png");
  waitUntil([&] { return !kepa.splash().has_value(); }, seconds(10));

  // "ＫＥＰＡＫＥＰＡの終了" removes the icon and ends the program.
  if (!kepa.openTrayMenu()) return fail("the tray menu did not open again", kepa);
  session.xdotool("mouseup 3 key Up Return");
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  if (!status) return fail("kepa did not end", kepa);

  std::printf("kepa ran and ended with status %d. Screenshots:\n", *status);
  for (const std::string& path : pictures)
    std::printf("  %s\n", path.c_str());
  return *status;
}
