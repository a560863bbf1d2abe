// Form1 on the fake front end: start-up, icon callbacks, the tray menu, the splash and the exit;
// the popup menus of the form runtime.
#include "app/form1.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/app.h"
#include "clipping_fixture.h"
#include "frontends/fake/fake_desktop.h"
#include "runtime/kepa_icon.h"

namespace kepa {
namespace {

class Form1Test : public testing::ClippingTest {
 protected:
  Form1& form1() { return app.form1(); }
  FakeForm1Window& splash() { return dynamic_cast<FakeForm1Window&>(app.form1().window()); }
  // Chooses an item of the tray menu the way a user does: right press on the icon.
  void choose(const std::string& item) {
    desktop.menuChoices.push_back(item);
    desktop.sendIconEvent(WM_RBUTTONDOWN);
  }
};

TEST_F(Form1Test, StartUpRegistersTheIconAndHidesWindowAndMenu) {
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"Shell_NotifyIconA NIM_ADD"}));
  EXPECT_FALSE(splash().isVisible());
  EXPECT_FALSE(splash().KepaMenu.visible);
  EXPECT_EQ(splash().Timer1().interval(), 0);
  ASSERT_TRUE(desktop.icon.has_value());
  const NOTIFYICONDATA& record = *desktop.icon;
  EXPECT_EQ(desktop.window(record.hWnd), &splash());
  // Its size, ID, flags (message, icon and tip) and callback message (WM_MOUSEMOVE).
  EXPECT_EQ((std::array{record.cbSize, record.uID, record.uFlags, record.uCallbackMessage}),
            (std::array<std::uint32_t, 4>{88, 1, 7, 512}));
  ASSERT_NE(desktop.iconOf(record.hIcon), nullptr);
  EXPECT_EQ(desktop.iconOf(record.hIcon), desktop.iconOf(desktop.iconHandle(kepaIcon())));
  EXPECT_EQ(std::string(record.szTip.data(), 64),
            std::string("DIRUZAZU\0", 9) + std::string(55, ' '));
}

TEST(Form1Centring, CentresOnThePrimaryMonitorInTwipsWithSinglePrecision) {
  const std::vector<Monitor> one;  // the whole screen
  // A primary monitor right of a larger one, and one below another.
  const std::vector<Monitor> rightOfA = {{{0, 0, 1024, 768}, false}, {{1024, 0, 512, 384}, true}};
  const std::vector<Monitor> belowA = {{{0, 0, 800, 600}, false}, {{0, 600, 1024, 768}, true}};
  // The window is 371 x 206 pixels, 5565 x 3090 twips; at 120 DPI 463.75 x 257.5 pixels round
  // to 464 x 258 (5568 x 3096 twips); at 200 % it is as large to the eye.
  const struct {
    std::int32_t screenWidth, screenHeight;
    const std::vector<Monitor>& monitors;
    float twipsPerPixel;
    float left, top;  // twips
  } cases[] = {{1024, 768, one, 15.0F, 4897.5F, 4215.0F},
               {1280, 1024, one, 12.0F, 4896.0F, 4596.0F},
               {2048, 1536, one, 7.5F, 4897.5F, 4215.0F},
               {1536, 768, rightOfA, 15.0F, 16417.5F, 1335.0F},
               {1024, 1368, belowA, 15.0F, 4897.5F, 13215.0F}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.screenWidth << " x " << c.screenHeight);
    FakeDesktop desktop;
    desktop.screen = Surface(c.screenWidth, c.screenHeight);
    desktop.monitorLayout = c.monitors;
    desktop.twipsPerPixel = c.twipsPerPixel;
    App app(desktop, desktop.windows());
    ASSERT_TRUE(app.start());
    Form1Face& window = app.form1().window();
    EXPECT_FLOAT_EQ(window.leftTwips(), c.left);
    EXPECT_FLOAT_EQ(window.topTwips(), c.top);
  }
}

TEST_F(Form1Test, RightPressOnTheIconPopsUpTheTrayMenuAndEveryOtherEventOnlyHidesIt) {
  splash().KepaMenu.visible = true;
  desktop.calls.clear();
  for (const std::uint32_t message :
       {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDOWN})
    desktop.sendIconEvent(message);
  EXPECT_FALSE(splash().KepaMenu.visible);  // the left press hides it
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_TRUE(desktop.popups.empty());
  EXPECT_FALSE(splash().isVisible());

  desktop.sendIconEvent(WM_RBUTTONDOWN);
  EXPECT_EQ(desktop.calls,
            (std::vector<std::string>{"SetForegroundWindow " + std::to_string(desktop.icon->hWnd),
                                      "DoEvents", "PopupMenu KepaMenu"}));
  ASSERT_EQ(desktop.popups.size(), 1U);
  const MenuSnapshot& menu = desktop.popups[0];
  std::string items = menu.caption;
  for (const auto& item : menu.items) {
    items.append("|" + item.name + " " + item.caption);
    EXPECT_TRUE(item.enabled && item.visible && !item.checked) << item.name;
  }
  EXPECT_EQ(items,
            "ＫＥＰＡメニュ－|StartCap スタ－トキャプチャ－|kugiri1 -|VerP バ－ジョン情報|"
            "kugiri2 -|ExitKepa ＫＥＰＡＫＥＰＡの終了");
}

TEST_F(Form1Test, MessageNumberIsXDividedByTwipsPerPixel) {
  // Only 516 (WM_RBUTTONDOWN) pops the menu up: x \ twips per pixel, truncated; 517 is the right
  // button's release; at 200 % the 7.5 twips per pixel are not rounded to 8.
  const struct {
    float twipsPerPixel, x;
    bool popsUp;
  } cases[] = {{15, 7740.0F, true},   {15, 7754.0F, true},    {15, 7755.0F, false},
               {7.5F, 3870.0F, true}, {7.5F, 3877.5F, false}, {15, 0.0F, false}};
  for (const auto& c : cases) {
    desktop.popups.clear();
    desktop.twipsPerPixel = c.twipsPerPixel;
    form1().Form_MouseMove(0, 0, c.x, 0.0F);
    EXPECT_EQ(desktop.popups.size(), c.popsUp ? 1U : 0U) << c.x;
  }
}

TEST_F(Form1Test, SplashShowsForTwoAndAHalfSecondsAndRearms) {
  choose("VerP");
  EXPECT_TRUE(splash().isVisible());
  EXPECT_EQ(splash().Timer1().interval(), 2500);
  splash().Timer1().setInterval(1);
  choose("VerP");  // again while visible: shown again, the interval set again
  EXPECT_TRUE(splash().isVisible());
  EXPECT_EQ(splash().Timer1().interval(), 2500);

  splash().Timer1().elapse();
  EXPECT_FALSE(splash().isVisible());
  EXPECT_EQ(splash().Timer1().interval(), 0);
  EXPECT_TRUE(desktop.icon.has_value());
}

TEST_F(Form1Test, ExitRemovesTheIconClosesTheWindowsAndEnds) {
  choose("VerP");
  choose("ExitKepa");
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_EQ(count("Shell_NotifyIconA NIM_DELETE"), 1);
  EXPECT_EQ(desktop.exitCode, 0);
  EXPECT_TRUE(app.ended());
  EXPECT_FALSE(form1().isLoaded());
  EXPECT_EQ(desktop.unloadedWindows(), 1U);  // the splash, gone with the handler
}

TEST_F(Form1Test, UnloadDeletesTheIconAndTheNextReferenceLoadsAgain) {
  const std::uint32_t firstHandle = desktop.icon->hWnd;
  form1().Unload();
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_FALSE(form1().isLoaded());
  FakeForm1Window& again = splash();  // the reference loads and runs Form_Load again
  EXPECT_EQ(count("Shell_NotifyIconA NIM_ADD"), 2);
  ASSERT_TRUE(desktop.icon.has_value());
  EXPECT_NE(desktop.icon->hWnd, firstHandle);
  EXPECT_EQ(desktop.window(desktop.icon->hWnd), &again);
  EXPECT_FALSE(again.isVisible());
}

TEST(Form1StartUp, WaitsQuietlyForTheNotificationAreaThenSaysWhenThereIsNone) {
  // At login the panel may come up long after the program.
  const struct {
    Launch launch;
    bool trayAppears;
    int wait;  // the time waited, in milliseconds
  } cases[] = {
      {Launch::ByUser, false, 5000}, {Launch::AtLogin, false, 120000}, {Launch::AtLogin, true, 0}};
  for (const auto& c : cases) {
    FakeDesktop desktop;
    desktop.notificationAreaAvailable = c.trayAppears;
    App app(desktop, desktop.windows());
    desktop.whileWaiting = [&] { EXPECT_TRUE(desktop.messages.empty()) << c.wait; };
    EXPECT_EQ(app.start(c.launch), c.trayAppears) << c.wait;
    EXPECT_EQ(desktop.paused.count(), c.wait);
    EXPECT_EQ(desktop.icon.has_value(), c.trayAppears) << c.wait;
    EXPECT_EQ(app.form1().isLoaded(), c.trayAppears) << c.wait;
    ASSERT_EQ(desktop.messages.size(), c.trayAppears ? 0U : 1U) << c.wait;
    EXPECT_TRUE(c.trayAppears || desktop.messages[0].find("通知領域") != std::string::npos);
  }
}

TEST(Form1StartUp, EndedWhileWaitingForTheTrayDoesNotStartAndACaptureAskedForRunsAfter) {
  for (const bool trayAppears : {true, false}) {
    FakeDesktop desktop;
    desktop.notificationAreaAvailable = trayAppears;
    App app(desktop, desktop.windows());
    desktop.whileWaiting = [&] { app.form1().ExitKepa_Click(); };
    EXPECT_FALSE(app.start());
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(desktop.icon.has_value());
    EXPECT_FALSE(app.form1().isLoaded());
    EXPECT_EQ(desktop.exitCode, 0);
  }
  // A capture asked for while waiting runs once the icon is there.
  FakeDesktop desktop;
  App app(desktop, desktop.windows());
  desktop.whileWaiting = [&] { app.requestCapture(); };
  ASSERT_TRUE(app.start());
  ASSERT_GE(desktop.calls.size(), 3U);
  EXPECT_EQ(std::vector<std::string>(desktop.calls.begin(), desktop.calls.begin() + 3),
            (std::vector<std::string>{"Shell_NotifyIconA NIM_ADD", "GetDC", "ReleaseDC"}));
  EXPECT_TRUE(dynamic_cast<FakeWindow&>(app.form2().window()).shown);
}

// スタ－トキャプチャ－ asked for from the command line: nothing while a clipping (with or without
// one of its dialogs) or a popup menu is up.
// Closed from outside (Alt+F4, Windows asking the program to end), the windows go through
// their code: the clipping ends as クリッピング終了 ends it, the tray window ends the program.
TEST_F(Form1Test, WindowsClosedFromOutsideUnloadThroughTheirCode) {
  app.requestCapture();
  (void)app.form3().Visible();  // the magnifier loaded, hidden
  module1().SliderR = 7;
  window().closedFromOutside();
  EXPECT_FALSE(app.form2().isLoaded() || app.form3().isLoaded());
  app.requestCapture();  // the next reference makes the window afresh: Form_Load runs
  EXPECT_TRUE(window().shown);
  EXPECT_EQ(module1().SliderR, 50);

  splash().close();
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_EQ(desktop.exitCode, 0);
}

TEST_F(Form1Test, ACaptureAskedForRunsOnlyWhileNothingOfTheProgramIsOpen) {
  desktop.whilePopup = [&] { app.requestCapture(); };
  desktop.sendIconEvent(WM_RBUTTONDOWN);  // the tray menu, dismissed
  desktop.whilePopup = nullptr;
  EXPECT_EQ(count("GetDC"), 0);
  EXPECT_FALSE(form2().isLoaded());

  // Asked for again while the screen is read (a portal waits for the user): the same capture.
  desktop.whileReading = [&] { app.requestCapture(); };
  app.requestCapture();
  EXPECT_EQ(count("GetDC"), 1);
  EXPECT_TRUE(window().shown);
  EXPECT_TRUE(desktop.messages.empty());

  app.requestCapture();
  drag({100, 50}, {140, 80}, {140, 80});
  desktop.whileModal = [&](FormWindow&) { app.requestCapture(); };
  form2().hatena_click(2);  // the custom settings dialog
  desktop.whileModal = nullptr;
  EXPECT_EQ(count("showModal"), 1);
  EXPECT_EQ(count("GetDC"), 1);

  form2().EndClip_Click();
  app.requestCapture();
  EXPECT_EQ(count("GetDC"), 2);
  EXPECT_TRUE(window().shown);
}

TEST(PopupMenu, RunsTheChosenItemAfterTheMenuClosesAndNeverADisabledOne) {
  FakeDesktop desktop;
  Menu menu("ClipMenu", "menu");
  std::vector<std::string> clicked;
  menu.add("A", "a").onClick([&] { clicked.emplace_back("A"); });
  MenuItem& sub = menu.add("Sub", "sub");
  sub.add("B", "b", 3).onClick([&] { clicked.emplace_back("B3"); });
  menu.add("C", "c").onClick([&] { clicked.emplace_back("C"); });
  menu.find("C").enabled = false;
  desktop.menuChoices = {"A", "B", "C", ""};
  for (int i = 0; i < 4; ++i)
    desktop.PopupMenu(menu);
  EXPECT_EQ(clicked, (std::vector<std::string>{"A", "B3"}));
  sub.enabled = false;  // a disabled submenu hides its items from the user
  desktop.menuChoices = {"B"};
  desktop.PopupMenu(menu);
  EXPECT_EQ(clicked.size(), 2U);
  EXPECT_EQ(&menu.find("B", 3), &sub.find("B", 3));
  EXPECT_THROW((void)menu.find("B"), std::out_of_range);
  ASSERT_EQ(desktop.popups.size(), 5U);
  EXPECT_FALSE(desktop.popups[0].items[2].enabled);
  EXPECT_EQ(desktop.popups[0].items[1].items[0].index, 3);
}

}  // namespace
}  // namespace kepa
