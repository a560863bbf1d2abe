// kepa_tour: shows kepa working where there is no desktop. It starts a private X server with
// a window manager and tray host, starts kepa in it and uses it as a user would, with real
// X input: the tray menu, the version splash, a capture of a picture it puts on the screen, a
// selection, a colour conversion, a mosaic and a surprise effect, the region image shown and
// dragged, the magnifier, a save as BMP and a copy to the clipboard, the end of the clipping
// and of the program. It saves a screenshot of every step and the BMP in the output folder,
// prints the list and stops everything it started.
//
// usage: kepa_tour KEPA_BINARY OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <QGuiApplication>

#include "tools/tour/tour_picture.h"
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

class Tour {
 public:
  Tour(XSession& session, KepaDriver& kepa, std::filesystem::path output)
      : session_(session), kepa_(kepa), output_(std::move(output)) {}

  // Runs one step; false (with the reason) when what it waited for did not happen.
  bool step(const char* what, const std::function<bool()>& run) {
    if (run()) return true;
    std::fprintf(stderr, "kepa_tour: %s did not work\n%s", what, kepa_.log().c_str());
    return false;
  }

  void picture(const char* name) {
    settle();
    const std::string path = (output_ / name).string();
    session_.screenshot().save(QString::fromStdString(path));
    files_.push_back(path);
  }

  void keep(const std::string& path) { files_.push_back(path); }
  [[nodiscard]] const std::vector<std::string>& files() const { return files_; }
  [[nodiscard]] std::string path(const char* name) const { return (output_ / name).string(); }

  bool move(int x, int y) {
    return session_.xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) +
                            " sleep 0.2");
  }

 private:
  XSession& session_;
  KepaDriver& kepa_;
  std::filesystem::path output_;
  std::vector<std::string> files_;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s KEPA_BINARY OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path output = argv[2];
  std::filesystem::create_directories(output);
  // Text in the tour's picture needs fonts, and so a GUI application, though nothing here is
  // shown: the offscreen platform, asked for on the command line so that the program under
  // tour does not inherit it.
  int qtArgc = 3;
  char platformOption[] = "-platform";
  char platformName[] = "offscreen";
  char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
  const QGuiApplication application(qtArgc, qtArgv);
  XSession session;
  std::printf("Private X server on %s with icewm\n", session.display().c_str());
  session.setRootPicture(kepa::tour::tourPicture(session.screen().size()));
  KepaDriver kepa(session, argv[1], (output / "kepa.log").string());
  Tour tour(session, kepa, output);
  const auto chosen = [&](const char* keys, const char* caption) {
    return [&kepa, keys, caption] { return kepa.chooseFromMenu(keys, caption); };
  };

  // A right press on the icon opens the tray menu; "バ－ジョン情報" shows the splash.
  if (!tour.step("the tray menu", [&] { return kepa.openTrayMenu(); })) return 1;
  tour.picture("01-tray-menu.png");
  session.xdotool("mouseup 3 key Down Down Return");
  if (!tour.step("the splash", [&] {
        return waitUntil([&] { return kepa.splash().has_value(); }, seconds(10));
      })) {
    return 1;
  }
  tour.picture("02-splash.png");
  waitUntil([&] { return !kepa.splash().has_value(); }, seconds(10));

  // スタ－トキャプチャ－ freezes the screen; a drag with the left button selects a region.
  if (!tour.step("the capture", [&] { return kepa.startCapture(); })) return 1;
  tour.move(300, 240);
  tour.picture("03-frozen-screen.png");
  session.xdotool(
      "mousemove 70 94 sleep 0.2 mousedown 1 sleep 0.2 mousemove 200 200 sleep 0.1 "
      "mousemove 470 350 sleep 0.3");
  tour.picture("04-selection.png");
  session.xdotool("mouseup 1 sleep 0.2");

  // The clipping menu, then the grey conversion, shown over the frozen screen.
  tour.move(560, 420);
  session.xdotool("mousedown 3");
  waitUntil([&] { return !kepa.menus().empty(); }, seconds(10));
  tour.picture("05-clipping-menu.png");
  session.xdotool("key Escape mouseup 3 sleep 0.3");
  if (!tour.step("the grey conversion",
                 chosen("Down Down Down Right Down Down Down Down Return", "グレ－スケ－ル変換")) ||
      !tour.step("showing the region image",
                 chosen("Down Down Down Down Down Down Return", "変更後の画像表示"))) {
    return 1;
  }
  tour.picture("06-grey.png");

  // A mosaic, then a surprise effect, each shown where the region image lies.
  if (!tour.step("the mosaic",
                 chosen("Down Down Down Down Right Right Down Down Return", "レベル９"))) {
    return 1;
  }
  tour.picture("07-mosaic.png");
  if (!tour.step("the surprise effect",
                 chosen("Down Down Down Down Right Down Return", "お楽しみ1"))) {
    return 1;
  }
  tour.picture("08-surprise.png");

  // A drag moves the region image: its centre lands where the button is let go.
  session.xdotool(
      "mousemove 200 60 sleep 0.2 mousedown 1 sleep 0.1 mousemove 260 120 sleep 0.1 "
      "mousemove 600 480 sleep 0.1 mousemove 720 520 sleep 0.3");
  tour.picture("09-dragging.png");
  session.xdotool("mouseup 1 sleep 0.3");
  tour.move(40, 700);  // off the region image, whose own the right button is there
  tour.picture("10-dropped.png");

  // The magnifier follows the pointer over the frozen screen.
  if (!tour.step("the magnifier", chosen("Down Down Down Down Down Return", "虫眼鏡"))) return 1;
  tour.move(330, 250);
  tour.move(340, 260);
  tour.picture("11-magnifier.png");

  // Saved as a BMP file through the save dialog, typed as a user would.
  if (!tour.step("the save command", chosen("Down Return", "名前を付けて保存")) ||
      !tour.step("the save dialog", [&] {
        return waitUntil([&] { return kepa.windowNamed("名前を付けて保存").has_value(); },
                         seconds(10));
      })) {
    return 1;
  }
  tour.picture("12-save-dialog.png");
  const std::string bmp = tour.path("kepa-region.bmp");
  session.xdotool("key ctrl+a type --delay 10 '" + bmp + "'");
  session.xdotool("key Return");
  if (!tour.step("saving", [&] {
        return waitUntil([&] { return std::filesystem::exists(bmp); }, seconds(10));
      })) {
    return 1;
  }
  tour.keep(bmp);

  // Copied to the clipboard, then the clipping and the program end.
  tour.move(40, 700);  // off the region image, whose own the right button is there
  if (!tour.step("the clipboard", chosen("Down Down Return", "クリップボ－ド格納")) ||
      !tour.step("the end of the clipping", chosen("Up Return", "クリッピング終了"))) {
    return 1;
  }
  tour.picture("13-clipping-ended.png");
  if (!tour.step("the exit", [&] {
        if (!kepa.openTrayMenu()) return false;
        session.xdotool("mouseup 3 key Up Return");
        return true;
      })) {
    return 1;
  }
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  if (!status) {
    std::fprintf(stderr, "kepa_tour: kepa did not end\n");
    return 1;
  }
  std::printf("kepa ran and ended with status %d. Screenshots and the saved region:\n", *status);
  for (const std::string& file : tour.files())
    std::printf("  %s\n", file.c_str());
  return *status;
}
