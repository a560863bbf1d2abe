// Form1 on a FakeDesktop: start-up, icon callbacks, the tray menu, the splash and the exit.
#include "app/form1.h"

#include <algorithm>
#include <cstring>

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "app/app.h"
#include "clipping_fixture.h"
#include "platform/qt/fake_desktop.h"

namespace kepa {
namespace {

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.start()); }

  Form1& form1() { return app.form1(); }
  Form1Window& window() { return app.form1().window(); }
  long count(const std::string& call) const {
    return std::count(desktop.calls.begin(), desktop.calls.end(), call);
  }
  // Chooses an item of the tray menu the way a user does: right press on the icon.
  void choose(const std::string& item) {
    desktop.menuChoices.push_back(item);
    desktop.sendIconEvent(WM_RBUTTONDOWN);
  }

  FakeDesktop desktop;
  App app{desktop};
};

TEST_F(Form1Test, StartUpRegistersTheIconAndHidesWindowAndMenu) {
  const std::vector<std::string> expected = {"waitForNotificationArea 5000",
                                             "Shell_NotifyIconA NIM_ADD"};
  EXPECT_EQ(desktop.calls, expected);
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(window().KepaMenu.visible);
  EXPECT_EQ(window().Timer1.interval(), 0);
  EXPECT_FALSE(window().Timer1.isRunning());

  ASSERT_TRUE(desktop.icon.has_value());
  const NOTIFYICONDATA& record = *desktop.icon;
  EXPECT_EQ(record.cbSize, 88U);
  EXPECT_EQ(desktop.window(record.hWnd), &window());
  EXPECT_EQ(record.uID, 1U);
  EXPECT_EQ(record.uFlags, 7U);
  EXPECT_EQ(record.uCallbackMessage, 512U);
  EXPECT_EQ(desktop.iconOf(record.hIcon).cacheKey(), window().windowIcon().cacheKey());
  EXPECT_FALSE(window().windowIcon().pixmap(16, 16).isNull());
  char tip[64];
  std::memcpy(tip, record.szTip.data(), sizeof tip);
  EXPECT_EQ(std::string(tip, 9), std::string("DIRUZAZU\0", 9));
  EXPECT_EQ(std::string(tip + 9, 55), std::string(55, ' '));
}

TEST(Form1Centring, CentresOnThePrimaryMonitorInTwipsWithSinglePrecision) {
  const std::vector<Monitor> one;  // the whole screen
  // A primary monitor right of a larger one, and one below another.
  const std::vector<Monitor> rightOfA = {{{0, 0, 1024, 768}, false}, {{1024, 0, 512, 384}, true}};
  const std::vector<Monitor> belowA = {{{0, 0, 800, 600}, false}, {{0, 600, 1024, 768}, true}};
  const struct {
    std::int32_t screenWidth, screenHeight;
    const std::vector<Monitor>& monitors;
    float twipsPerPixel;
    std::int32_t width, height;  // window pixels
    float left, top;             // twips
    std::int32_t x, y;           // pixels
  } cases[] = {
      // 7680 - 2782.5 = 4897.5 twips = 326.5 pixels, which rounds to even.
      {1024, 768, one, 15.0F, 371, 206, 4897.5F, 4215.0F, 326, 281},
      {1920, 1080, one, 15.0F, 371, 206, 11617.5F, 6555.0F, 774, 437},
      // 120 DPI: 463.75 x 257.5 pixels round to 464 x 258.
      {1280, 1024, one, 12.0F, 464, 258, 4896.0F, 4596.0F, 408, 383},
      // 200 %: the same size to the eye, in twice the pixels.
      {2048, 1536, one, 7.5F, 742, 412, 4897.5F, 4215.0F, 653, 562},
      {1536, 768, rightOfA, 15.0F, 371, 206, 16417.5F, 1335.0F, 1094, 89},
      {1024, 1368, belowA, 15.0F, 371, 206, 4897.5F, 13215.0F, 326, 881},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.screenWidth << " x " << c.screenHeight);
    FakeDesktop desktop;
    desktop.screen = Surface(c.screenWidth, c.screenHeight);
    desktop.monitorLayout = c.monitors;
    desktop.twipsPerPixel = c.twipsPerPixel;
    App app(desktop);
    ASSERT_TRUE(app.start());
    Form1Window& window = app.form1().window();
    EXPECT_EQ(window.size(), QSize(c.width, c.height));
    EXPECT_FLOAT_EQ(window.leftTwips(), c.left);
    EXPECT_FLOAT_EQ(window.topTwips(), c.top);
    EXPECT_EQ(window.pos(), QPoint(c.x, c.y));
  }
}

TEST_F(Form1Test, RightPressOnTheIconPopsUpTheTrayMenu) {
  desktop.calls.clear();
  desktop.sendIconEvent(WM_RBUTTONDOWN);
  const std::vector<std::string> expected = {
      "SetForegroundWindow " + std::to_string(desktop.icon->hWnd), "DoEvents",
      "PopupMenu KepaMenu"};
  EXPECT_EQ(desktop.calls, expected);
  ASSERT_EQ(desktop.popups.size(), 1U);
  const MenuSnapshot& menu = desktop.popups[0];
  EXPECT_EQ(menu.caption, "ＫＥＰＡメニュ－");
  std::vector<std::pair<std::string, std::string>> items;
  for (const auto& item : menu.items) {
    items.emplace_back(item.name, item.caption);
    EXPECT_TRUE(item.enabled && item.visible && !item.checked) << item.name;
  }
  const std::vector<std::pair<std::string, std::string>> expectedItems = {
      {"StartCap", "スタ－トキャプチャ－"},
      {"kugiri1", "-"},
      {"VerP", "バ－ジョン情報"},
      {"kugiri2", "-"},
      {"ExitKepa", "ＫＥＰＡＫＥＰＡの終了"}};
  EXPECT_EQ(items, expectedItems);
}

TEST_F(Form1Test, MessageNumberIsXDividedByTwipsPerPixel) {
  const struct {
    float x;
    bool popsUp;
  } cases[] = {
      {7740.0F, true},                     // 516
      {7754.0F, true},                     // 516.93 truncates to 516
      {7739.5F, true},                     // rounds to 7740 (even), 516
      {7740.4F, true},  {7738.5F, false},  // rounds to 7738, 515.87 truncates to 515
      {7755.0F, false},                    // 517, the right button's release
      {7695.0F, false},                    // 513, the left press
      {7702.5F, false},                    // 7702 \ 15 = 513
      {7680.0F, false},                    // 512, a plain move
      {7725.0F, false},                    // 515, a double click
      {7785.0F, false},                    // 519, the middle button
      {0.0F, false},
  };
  for (const auto& c : cases) {
    desktop.popups.clear();
    form1().Form_MouseMove(0, 0, c.x, 0.0F);
    EXPECT_EQ(desktop.popups.size(), c.popsUp ? 1U : 0U) << c.x;
  }
  // At 200 % the 7.5 twips per pixel are not rounded to 8, which would make 516 read 483.
  desktop.twipsPerPixel = 7.5F;
  for (const auto& c : {std::pair{3870.0F, true}, {3847.5F, false}, {3877.5F, false}}) {
    desktop.popups.clear();
    form1().Form_MouseMove(0, 0, c.first, 0.0F);
    EXPECT_EQ(desktop.popups.size(), c.second ? 1U : 0U) << c.first;
  }
}

TEST_F(Form1Test, EveryOtherIconEventIsIgnored) {
  desktop.calls.clear();
  for (const std::uint32_t message : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                      WM_RBUTTONUP, WM_MBUTTONDOWN}) {
    desktop.sendIconEvent(message);
  }
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_TRUE(desktop.popups.empty());
  EXPECT_FALSE(window().KepaMenu.visible);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(Form1Test, MouseMovesOverTheVisibleSplashNeverOpenTheMenu) {
  choose("VerP");
  ASSERT_TRUE(window().isVisible());
  desktop.popups.clear();
  for (int x = 0; x < window().width(); ++x) {
    const QPointF at(x + 0.5, 10);
    QMouseEvent move(QEvent::MouseMove, at, window().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&window(), &move);
  }
  EXPECT_TRUE(desktop.popups.empty());
}

TEST_F(Form1Test, SplashShowsForTwoAndAHalfSecondsAndRearms) {
  choose("VerP");
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().Timer1.interval(), 2500);
  EXPECT_TRUE(window().Timer1.isRunning());

  QTest::qWait(150);
  const int before = window().Timer1.remainingTime();
  choose("VerP");  // again while visible: shown again, the interval set again
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().Timer1.interval(), 2500);
  EXPECT_GT(window().Timer1.remainingTime(), before);

  EXPECT_TRUE(QTest::qWaitFor([&] { return !window().isVisible(); }, 10000));
  EXPECT_EQ(window().Timer1.interval(), 0);
  EXPECT_FALSE(window().Timer1.isRunning());
  EXPECT_TRUE(desktop.icon.has_value());
}

TEST_F(Form1Test, ExitRemovesTheIconClosesTheWindowsAndEnds) {
  choose("VerP");
  ASSERT_TRUE(window().isVisible());
  QPointer<Form1Window> splash(&window());
  choose("ExitKepa");
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_EQ(count("Shell_NotifyIconA NIM_DELETE"), 1);
  EXPECT_EQ(desktop.exitCode, 0);
  EXPECT_TRUE(app.ended());
  EXPECT_FALSE(form1().isLoaded());
  ASSERT_FALSE(splash.isNull());
  EXPECT_FALSE(splash->isVisible());
  EXPECT_FALSE(splash->Timer1.isRunning());  // no further tick
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(Form1Test, UnloadDeletesTheIconAndTheNextReferenceLoadsAgain) {
  const std::uint32_t firstHandle = desktop.icon->hWnd;
  QPointer<Form1Window> first(&window());
  form1().Unload();
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_FALSE(form1().isLoaded());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());

  Form1Window& again = window();  // the reference loads and runs Form_Load again
  EXPECT_EQ(count("Shell_NotifyIconA NIM_ADD"), 2);
  ASSERT_TRUE(desktop.icon.has_value());
  EXPECT_NE(desktop.icon->hWnd, firstHandle);
  EXPECT_EQ(desktop.window(desktop.icon->hWnd), &again);
  EXPECT_FALSE(again.isVisible());
}

TEST_F(Form1Test, LeftPressHidesTheMenuAndNothingElse) {
  window().KepaMenu.visible = true;
  desktop.sendIconEvent(WM_LBUTTONDOWN);
  EXPECT_FALSE(window().KepaMenu.visible);
  EXPECT_TRUE(desktop.popups.empty());
}

TEST(Form1StartUp, WaitsQuietlyForTheNotificationAreaThenSaysWhenThereIsNone) {
  const struct {
    Launch launch;
    bool trayAppears;
    const char* wait;  // the call, with its timeout in milliseconds
  } cases[] = {
      {Launch::ByUser, false, "waitForNotificationArea 5000"},
      // At login the panel may come up long after the program.
      {Launch::AtLogin, false, "waitForNotificationArea 120000"},
      {Launch::AtLogin, true, "waitForNotificationArea 120000"},
  };
  for (const auto& c : cases) {
    FakeDesktop desktop;
    desktop.notificationAreaAvailable = c.trayAppears;
    App app(desktop);
    desktop.whileWaiting = [&] { EXPECT_TRUE(desktop.messages.empty()) << c.wait; };
    EXPECT_EQ(app.start(c.launch), c.trayAppears) << c.wait;
    ASSERT_FALSE(desktop.calls.empty());
    EXPECT_EQ(desktop.calls[0], c.wait);
    EXPECT_EQ(desktop.icon.has_value(), c.trayAppears) << c.wait;
    EXPECT_EQ(app.form1().isLoaded(), c.trayAppears) << c.wait;
    ASSERT_EQ(desktop.messages.size(), c.trayAppears ? 0U : 1U) << c.wait;
    if (!c.trayAppears) {
      EXPECT_NE(desktop.messages[0].find("通知領域"), std::string::npos);
    }
  }
}

TEST(Form1StartUp, EndedWhileWaitingForTheTrayDoesNotStart) {
  for (const bool trayAppears : {true, false}) {
    FakeDesktop desktop;
    desktop.notificationAreaAvailable = trayAppears;
    App app(desktop);
    desktop.whileWaiting = [&] { app.form1().ExitKepa_Click(); };
    EXPECT_FALSE(app.start());
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(desktop.icon.has_value());
    EXPECT_FALSE(app.form1().isLoaded());
    EXPECT_EQ(desktop.exitCode, 0);
  }
}

TEST_F(Form1Test, LabelsHaveTheirPlacesColoursAndFonts) {
  const struct {
    QLabel* label;
    const char* caption;
    QRect pixels;
    QColor text;
    int weight;
    int points;
    bool opaque;
    Qt::Alignment alignment;
  } cases[] = {
      {window().Label1[0],
       "KEPA",
       {8, 16, 177, 65},
       QColor(255, 0, 0),
       QFont::Bold,
       36,
       false,
       Qt::AlignLeft | Qt::AlignTop},
      {window().Label1[1],
       "KEPA",
       {80, 40, 169, 65},
       QColor(255, 255, 255),
       QFont::Bold,
       36,
       false,
       Qt::AlignLeft | Qt::AlignTop},
      {window().Label2,
       "VER  3.0",
       {168, 96, 185, 49},
       QColor(255, 0, 0),
       QFont::Normal,
       24,
       true,
       Qt::AlignHCenter | Qt::AlignTop},
      {window().Label3,
       "Present's",
       {24, 176, 113, 33},
       QColor(255, 255, 255),
       QFont::Bold,
       12,
       false,
       Qt::AlignLeft | Qt::AlignTop},
      {window().Label4,
       "Orvane Project",
       {144, 168, 209, 41},
       QColor(255, 255, 255),
       QFont::Bold,
       18,
       false,
       Qt::AlignLeft | Qt::AlignTop},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.label->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(c.label->geometry(), c.pixels) << c.caption;
    EXPECT_EQ(c.label->palette().color(QPalette::WindowText), c.text) << c.caption;
    EXPECT_EQ(c.label->font().family(), QStringLiteral("Arial Black"));
    EXPECT_EQ(c.label->font().weight(), c.weight) << c.caption;
    EXPECT_EQ(c.label->font().pointSize(), c.points) << c.caption;
    EXPECT_EQ(c.label->autoFillBackground(), c.opaque) << c.caption;
    EXPECT_EQ(c.label->alignment(), c.alignment) << c.caption;
  }
  EXPECT_EQ(window().Label2->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_EQ(window().size(), QSize(371, 206));
  EXPECT_EQ(window().windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
}

TEST_F(Form1Test, FontNamesMapOntoInstalledFaces) {
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(),
            QStringLiteral("IPAPGothic"));
  // "Arial Black" is not a free font: its stand-in must be a real, installed face.
  const QString heavy = QFontInfo(window().Label1[0]->font()).family();
  EXPECT_FALSE(heavy.isEmpty());
  EXPECT_TRUE(QFontDatabase::families().contains(heavy)) << heavy.toStdString();
}

TEST_F(Form1Test, SplashRendersDarkBlueWithArtworkAndOpaqueVersionLabel) {
  const QImage shot = window().grab().toImage();
  ASSERT_EQ(shot.size(), QSize(371, 206));
  EXPECT_EQ(shot.pixelColor(365, 200), QColor(0, 0, 0x80));  // bare background
  EXPECT_EQ(shot.pixelColor(300, 20), QColor(0, 0, 0x80));
  EXPECT_EQ(shot.pixelColor(350, 143), QColor(0, 0, 0));  // Label2's own background
  // The artwork covers the top-left 161 x 161 pixels and is not plain background.
  int differing = 0;
  for (int y = 0; y < 161; y += 4) {
    for (int x = 0; x < 161; x += 4)
      differing += shot.pixelColor(x, y) != QColor(0, 0, 0x80);
  }
  EXPECT_GT(differing, 100);
  // Red text of "KEPA" somewhere in Label1(0).
  bool red = false;
  for (int y = 16; y < 81 && !red; ++y) {
    for (int x = 8; x < 80 && !red; ++x)
      red = shot.pixelColor(x, y) == QColor(255, 0, 0);
  }
  EXPECT_TRUE(red);
}

// スタ－トキャプチャ－ asked for from the command line: the menu's capture while nothing of the
// program is open; nothing while a clipping (with or without one of its dialogs) or a popup
// menu is up.
using CaptureRequest = testing::ClippingTest;

TEST_F(CaptureRequest, RunsOnlyWhileNothingOfTheProgramIsOpen) {
  const auto count = [&](const char* call) {
    return std::count(desktop.calls.begin(), desktop.calls.end(), call);
  };
  const auto grabs = [&] { return count("GetDC"); };
  desktop.whilePopup = [&] { app.requestCapture(); };
  desktop.sendIconEvent(WM_RBUTTONDOWN);  // the tray menu, dismissed
  desktop.whilePopup = nullptr;
  EXPECT_EQ(grabs(), 0);
  EXPECT_FALSE(form2().isLoaded());

  app.requestCapture();
  EXPECT_EQ(grabs(), 1);
  EXPECT_TRUE(window().isVisible());

  app.requestCapture();
  drag({100, 50}, {140, 80}, {140, 80});
  desktop.whileModal = [&](QWidget&) { app.requestCapture(); };
  form2().hatena_click(2);  // the custom settings dialog
  desktop.whileModal = nullptr;
  EXPECT_EQ(count("showModal"), 1);
  EXPECT_EQ(grabs(), 1);

  form2().EndClip_Click();
  app.requestCapture();
  EXPECT_EQ(grabs(), 2);
  EXPECT_TRUE(window().isVisible());
}

TEST(Form1StartUp, ACaptureAskedForWhileWaitingForTheTrayRunsOnceTheIconIsThere) {
  FakeDesktop desktop;
  App app(desktop);
  desktop.whileWaiting = [&] { app.requestCapture(); };
  ASSERT_TRUE(app.start());
  const std::vector<std::string> first = {"waitForNotificationArea 5000",
                                          "Shell_NotifyIconA NIM_ADD", "GetDC"};
  ASSERT_GE(desktop.calls.size(), 3U);
  EXPECT_EQ(std::vector<std::string>(desktop.calls.begin(), desktop.calls.begin() + 3), first);
  EXPECT_TRUE(app.form2().window().isVisible());
}

}  // namespace
}  // namespace kepa
