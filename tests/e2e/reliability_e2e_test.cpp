// The real program when things happen at awkward moments: the tray used while a dialog is
// open, the program ended from a dialog or by a signal in the middle of a drag, and the tray
// host going away and coming back.
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::pattern;

class ReliabilityOnDesktop : public CaptureOnDesktop {
 protected:
  // A capture of the pattern with a 40 x 30 selection.
  void captureAndSelect() {
    session.setRootPicture(pattern(session.screen().size()));
    ASSERT_TRUE(startCapture());
    session.xdotool(
        "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 140 110 sleep 0.2 "
        "mouseup 1 sleep 0.2");
  }

  // Exit from the tray menu, which must open although a dialog is up; the program then ends
  // with status 0.
  void exitFromTheTray() {
    ASSERT_TRUE(kepa.openTrayMenu()) << kepa.log();
    session.xdotool("mouseup 3 key Up Return");
    const std::optional<int> status = kepa.process().waitFor(seconds(10));
    ASSERT_TRUE(status.has_value()) << kepa.log();
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(kepa.windows().empty());
  }
};

TEST_F(ReliabilityOnDesktop, TheTrayEndsTheProgramWhileTheSettingsDialogIsOpen) {
  captureAndSelect();
  ASSERT_TRUE(kepa.chooseFromMenu("Down Down Down Down Right Down Down Return", "お楽しみ2"));
  ASSERT_TRUE(waitUntil([&] { return kepa.windowNamed("カスタム設定").has_value(); }, seconds(10)));
  // The frozen screen waits for the dialog: the right button opens no clipping menu there.
  session.xdotool("mousemove 700 600 sleep 0.1 mousedown 3 sleep 0.8");
  EXPECT_TRUE(kepa.menus().empty());
  session.xdotool("mouseup 3 sleep 0.2");
  exitFromTheTray();
}

TEST_F(ReliabilityOnDesktop, TheTrayEndsTheProgramWhileTheSaveDialogIsOpen) {
  captureAndSelect();
  ASSERT_TRUE(kepa.chooseFromMenu("Down Return", "名前を付けて保存"));
  ASSERT_TRUE(
      waitUntil([&] { return kepa.windowNamed("名前を付けて保存").has_value(); }, seconds(10)));
  exitFromTheTray();
}

TEST_F(ReliabilityOnDesktop, ATerminationSignalInTheMiddleOfADragEndsTheOrderlyWay) {
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  session.xdotool("mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 300 200 sleep 0.2");
  kepa.process().signal(SIGTERM);
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  session.xdotool("mouseup 1");
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
}

TEST_F(ReliabilityOnDesktop, ATerminationSignalWhileTheClippingMenuIsOpenEndsTheOrderlyWay) {
  captureAndSelect();
  session.xdotool("mousemove 600 500 sleep 0.1 mousedown 3");
  ASSERT_TRUE(waitUntil([&] { return !kepa.menus().empty(); }, seconds(10)));
  kepa.process().signal(SIGTERM);
  const std::optional<int> status = kepa.process().waitFor(seconds(10));
  session.xdotool("mouseup 3");
  ASSERT_TRUE(status.has_value()) << kepa.log();
  EXPECT_EQ(*status, 0);
  EXPECT_EQ(kepa.log().find("kepa: chosen 名前"), std::string::npos);  // nothing was chosen
}

TEST_F(ReliabilityOnDesktop, TheIconComesBackWhenTheTrayHostRestarts) {
  ASSERT_TRUE(kepa.trayIcon().has_value());
  ASSERT_TRUE(session.restartWindowManager());
  ASSERT_TRUE(waitUntil([&] { return kepa.trayIcon().has_value(); }, seconds(20))) << kepa.log();
  // The menu works again: the version splash.
  ASSERT_TRUE(kepa.openTrayMenu()) << kepa.log();
  session.xdotool("mouseup 3 key Down Down Return");
  EXPECT_TRUE(waitUntil([&] { return kepa.splash().has_value(); }, seconds(10))) << kepa.log();
  EXPECT_TRUE(kepa.process().running());
}

TEST_F(ReliabilityOnDesktop, FailedSavesAreReportedAndLoseNothing) {
  const std::string folder = session.directory() + "/saves";
  std::filesystem::create_directories(folder + "/a folder");
  const std::string existing = folder + "/keep.bmp";
  { std::ofstream(existing, std::ios::binary) << "precious"; }
  session.setRootPicture(pattern(session.screen().size()));
  ASSERT_TRUE(startCapture());
  // A 5 x 5 selection: mosaic level 11 leaves no pixel, which cannot make a bitmap.
  session.xdotool(
      "mousemove 100 80 sleep 0.2 mousedown 1 sleep 0.2 mousemove 105 85 sleep 0.2 mouseup 1 "
      "sleep 0.2");
  const auto saveAs = [&](const std::string& path) {
    ASSERT_TRUE(kepa.chooseFromMenu("Down Return", "名前を付けて保存"));
    ASSERT_TRUE(
        waitUntil([&] { return kepa.windowNamed("名前を付けて保存").has_value(); }, seconds(10)));
    // Typed name first, then the folder before it: typed from the left, the name field's
    // completion list would pop up halfway and swallow keys.
    const std::size_t slash = path.rfind('/');
    session.xdotool("sleep 0.3 key ctrl+a type --delay 10 '" + path.substr(slash + 1) + "'");
    session.xdotool("key Home type --delay 10 '" + path.substr(0, slash + 1) + "'");
    session.xdotool("sleep 0.4");
    if (!kepa.menus().empty()) session.xdotool("key Escape sleep 0.3");  // the list, if any
    session.xdotool("key Return");
    // The message box names the path; Return dismisses it.
    ASSERT_TRUE(waitUntil([&] { return kepa.windowNamed("KEPA").has_value(); }, seconds(10)))
        << path << "\n"
        << kepa.log();
    session.xdotool("sleep 0.2 key Return");
    ASSERT_TRUE(waitUntil([&] { return !kepa.windowNamed("KEPA").has_value(); }, seconds(10)));
    session.xdotool("mousemove 600 500 sleep 0.2");
  };
  // A full disk. (A folder, or a file in a folder nobody can write, cannot be chosen here: the
  // dialog opens the folder, or keeps the name. The forms tests cover those.)
  saveAs("/dev/full");
  ASSERT_TRUE(
      kepa.chooseFromMenu("Down Down Down Down Right Right Down Down Down Return", "レベル１１"));
  saveAs(existing);
  std::ifstream kept(existing, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()),
            "precious");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"a folder", "keep.bmp"}));  // no temporary file
  struct stat full {};
  ASSERT_EQ(::stat("/dev/full", &full), 0);
  EXPECT_TRUE(S_ISCHR(full.st_mode));
  EXPECT_TRUE(kepa.process().running());
}

}  // namespace
}  // namespace kepa::xdriver
