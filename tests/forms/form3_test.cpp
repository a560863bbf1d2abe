// The magnifier on the fake front end: the enlarged view of the captured image, the marker,
// the labels, the switch from the clipping menu and the moves out of the pointer's way.
#include "magnifier/form3.h"

#include <gtest/gtest.h>

#include "clipping_fixture.h"

namespace kepa {
namespace {

using testing::screenColour;

constexpr std::uint32_t kButtonFace = 0xC0C0C0;

class Form3Test : public testing::ClippingTest {
 protected:
  Form3& form3() { return app.form3(); }
  FakeForm3Window& zoom() { return magnifier(); }

  // The magnifier switched on (or off) from the clipping menu.
  void switchOn() { openMenu("GZoom"); }
  // The colour the enlarged view shows at (x, y) of the client area.
  std::uint32_t viewAt(std::int32_t x, std::int32_t y) {
    return Colour::fromPixel(zoom().clientImage().row(y)[x]).value();
  }
  std::string labels() { return zoom().LabelX().caption() + " " + zoom().LabelY().caption(); }
};

TEST_F(Form3Test, WindowStartsHiddenStoppedAndLaidOutInTwips) {
  capture();
  EXPECT_FALSE(form3().Visible());  // loads it
  ASSERT_TRUE(form3().isLoaded());
  EXPECT_EQ(zoom().Timer1().interval(), 0);
  EXPECT_EQ(labels(), "Label3 Label4");
  EXPECT_EQ(zoom().Picture1.width(), 32);
  EXPECT_EQ(zoom().Picture1.position(), (Point{64, 296}));
  EXPECT_EQ(zoom().Picture1.backColor().value(), Colour::kWindowBackground);
  // The client area is 3405 x 4095 twips; the view keeps its 3375 twips, each captured pixel
  // a block of whole pixels (at 100, 125, 150 and 200 %).
  const struct {
    float twipsPerPixel;
    std::int32_t width, height, block;
  } cases[] = {
      {15.0F, 227, 273, 15}, {12.0F, 284, 341, 18}, {10.0F, 340, 410, 22}, {7.5F, 454, 546, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.twipsPerPixel);
    app.form2().EndClip_Click();
    desktop.twipsPerPixel = c.twipsPerPixel;
    app.form1().StartCap_Click();
    EXPECT_EQ((Point{zoom().clientImage().width(), zoom().clientImage().height()}),
              (Point{c.width, c.height}));
    desktop.cursor = {300, 200};
    form3().Timer1_Timer();
    const int view = 15 * c.block;
    EXPECT_EQ(viewAt(0, 0), screenColour(293, 193));
    EXPECT_EQ(viewAt(c.block - 1, c.block - 1), screenColour(293, 193));
    EXPECT_EQ(viewAt(c.block, 0), screenColour(294, 193));
    EXPECT_EQ(viewAt(view - 1, view - 1), screenColour(307, 207));
    EXPECT_EQ(viewAt(view, 0), kButtonFace);
  }
}

TEST_F(Form3Test, TickEnlargesTheCapturedSquareMarksTheCentreAndLabelsThePosition) {
  capture();
  // The real screen changes after the capture: the view shows the image as captured. Near
  // the screen's edges the square keeps its background where it lies off the image.
  paintScreen(0x5A5A5A);
  for (const Point cursor : {Point{500, 300}, Point{3, 300}, Point{1020, 300}, Point{500, 2},
                             Point{500, 766}, Point{0, 0}, Point{1023, 767}}) {
    desktop.cursor = cursor;
    form3().Timer1_Timer();
    EXPECT_EQ(module1().CursorPos, cursor);
    for (int y = 0; y < 225; ++y) {
      for (int x = 0; x < 225; ++x) {
        const std::int32_t sx = cursor.x - 7 + x / 15;
        const std::int32_t sy = cursor.y - 7 + y / 15;
        const bool onScreen = sx >= 0 && sy >= 0 && sx < 1024 && sy < 768;
        std::uint32_t expected = onScreen ? screenColour(sx, sy) : 0xFFFFFFU;
        if (x / 15 == 7 && y / 15 == 7) expected = 0xFFFFFFU - expected;  // the marker
        ASSERT_EQ(viewAt(x, y), expected) << cursor.x << "," << cursor.y << " at " << x << "," << y;
      }
    }
  }
  // No selection yet: the labels give the screen position; while one is active, the offset
  // from its start; after an empty one, the screen position again.
  EXPECT_EQ(labels(), "1023 767");
  drag({100, 80}, {150, 120}, {150, 120});
  desktop.cursor = {90, 200};
  form3().Timer1_Timer();
  EXPECT_EQ(labels(), "-10 120");
  drag({300, 300}, {300, 300}, {300, 300});
  desktop.cursor = {90, 200};
  form3().Timer1_Timer();
  EXPECT_EQ(labels(), "90 200");
}

TEST_F(Form3Test, ClippingMenuSwitchesItOnAndOffWithoutMovingIt) {
  capture();
  zoom().move({300, 200});
  switchOn();
  const std::string handle = std::to_string(desktop.windowHandle(zoom()));
  EXPECT_EQ(desktop.calls.back(), "SetWindowPos " + handle + " -1 10 10 10 10 0x53");
  EXPECT_TRUE(form3().Visible());
  EXPECT_TRUE(zoom().topmost);
  EXPECT_EQ(zoom().Timer1().interval(), 1);

  switchOn();  // the same item again: off
  EXPECT_EQ(desktop.calls.back(), "SetWindowPos " + handle + " -2 10 10 10 10 0x93");
  EXPECT_FALSE(form3().Visible());
  EXPECT_FALSE(zoom().topmost);
  EXPECT_EQ(zoom().Timer1().interval(), 0);
  EXPECT_EQ(zoom().frameGeometry().x, 300);

  // Hidden by other means (as the save command does, or minimised): it reads as not visible,
  // so the next switch shows it again.
  switchOn();
  zoom().shown = false;
  switchOn();
  EXPECT_TRUE(form3().Visible());
  EXPECT_EQ(zoom().Timer1().interval(), 1);
  // A capture while it is on keeps it above the new frozen screen.
  zoom().raised = false;
  capture();
  EXPECT_TRUE(zoom().raised);
}

TEST_F(Form3Test, RunningTimerTicksAndAStillPointerRepaintsNothing) {
  capture();
  desktop.cursor = {400, 400};
  switchOn();
  zoom().Timer1().elapse();
  EXPECT_EQ(labels(), "400 400");
  EXPECT_FALSE(zoom().invalidated.empty());
  zoom().invalidated.clear();
  zoom().Timer1().elapse();  // the same pixels again
  EXPECT_TRUE(zoom().invalidated.empty());
  desktop.cursor = {401, 400};
  zoom().Timer1().elapse();
  // The rows of the view whose pixels changed, and no more.
  EXPECT_EQ(zoom().invalidated, (std::vector<Rect>{{0, 0, 227, 225}}));
  EXPECT_EQ(labels(), "401 400");
}

TEST_F(Form3Test, MovesOutOfThePointersWayOverItsClientArea) {
  capture();
  switchOn();
  const int width = zoom().frameGeometry().width;
  // The pointer at `cursor` over the client area, the window at `from`: where it goes.
  const auto moveOver = [&](Point cursor, Point from) {
    zoom().move(from);
    desktop.cursor = cursor;
    zoom().mouseMove(100, 100);
    return Point{zoom().frameGeometry().x, zoom().frameGeometry().y};
  };
  EXPECT_EQ(moveOver({100, 100}, {300, 200}), (Point{1024 - width, 200}));  // left, upper half
  EXPECT_EQ(module1().CursorPos, (Point{100, 100}));
  EXPECT_EQ(moveOver({900, 700}, {300, 200}), (Point{0, 0}));  // right, lower half: left and top
  // Within the monitor that holds the pointer: a 1024 x 768 monitor and, right of it, the
  // primary 512 x 384 one; then a primary monitor below the first, from y = 768.
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{1024, 0, 512, 384}, true}};
  EXPECT_EQ(moveOver({1100, 100}, {300, 200}), (Point{1536 - width, 200}));
  EXPECT_EQ(moveOver({1400, 300}, {300, 200}), (Point{1024, 0}));
  EXPECT_EQ(moveOver({1280, 100}, {300, 200}), (Point{300, 200}));  // B's centre line
  EXPECT_EQ(moveOver({100, 700}, {300, 200}), (Point{1024 - width, 0}));
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{0, 768, 800, 600}, true}};
  EXPECT_EQ(moveOver({100, 1300}, {300, 900}), (Point{800 - width, 768}));
  EXPECT_EQ(moveOver({700, 800}, {300, 900}), (Point{0, 900}));
}

TEST_F(Form3Test, ClosingItUnloadsItAndTheNextReferenceStartsAfresh) {
  capture();
  desktop.cursor = {10, 10};
  switchOn();
  form3().Timer1_Timer();
  zoom().close();
  EXPECT_FALSE(form3().isLoaded());
  EXPECT_EQ(desktop.unloadedWindows(), 1U);
  EXPECT_FALSE(form3().Visible());  // created again, hidden and stopped
  EXPECT_EQ(zoom().Timer1().interval(), 0);
  EXPECT_EQ(labels(), "Label3 Label4");
  switchOn();
  EXPECT_TRUE(form3().Visible());
}

}  // namespace
}  // namespace kepa
