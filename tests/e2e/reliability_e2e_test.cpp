// The real program when things happen at awkward moments: the tray used to end the program
// while one of its dialogs is open. (The ways it ends by signals and the tray host coming
// back are in the tray tests; failed saves through the real dialog in the frozen screen's.)
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace kepa::xdriver {
namespace {

using std::chrono::seconds;
using testing::CaptureOnDesktop;
using testing::pattern;

TEST_F(CaptureOnDesktop, TheTrayEndsTheProgramWhileTheSettingsOrTheSaveDialogIsOpen) {
  session.setRootPicture(pattern(session.screen().size()));
  for (const auto& [keys, dialog] :
       {std::pair<std::string, std::string>{"Down Down Down Down Right Down Down Return",
                                            "カスタム設定"},
        {"Down Return", "名前を付けて保存"}}) {
    SCOPED_TRACE(dialog);
    kepa.start();
    ASSERT_TRUE(startCapture());
    select({100, 80}, {140, 110});
    ASSERT_TRUE(kepa.chooseFromMenu(keys, dialog == "カスタム設定" ? "お楽しみ2" : dialog));
    ASSERT_TRUE(shown(dialog).has_value()) << kepa.log();
    // The frozen screen waits for the dialog: the right button opens no clipping menu there.
    session.xdotool("mousemove 700 600 sleep 0.1 mousedown 3 sleep 0.8");
    EXPECT_TRUE(kepa.menus().empty());
    session.xdotool("mouseup 3 sleep 0.2");
    // The tray menu opens all the same, and its exit ends the program with status 0.
    ASSERT_TRUE(kepa.openTrayMenu()) << kepa.log();
    session.xdotool("mouseup 3 key Up Return");
    EXPECT_EQ(kepa.process().waitFor(seconds(10)), 0) << kepa.log();
    EXPECT_TRUE(kepa.windows().empty());
  }
}

}  // namespace
}  // namespace kepa::xdriver
