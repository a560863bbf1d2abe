// Showing, hiding, dragging and restoring the region image on the clipping window.
#include <gtest/gtest.h>

#include "clipping_fixture.h"

namespace kepa {
namespace {

using testing::screenColour;

class RegionViewTest : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    capture();
    drag({100, 50}, {147, 83}, {147, 83});  // 47 x 33 region, 48 x 34 region image
  }
  Picture& picture() { return window().Picture1; }
  std::uint32_t at(std::int32_t x, std::int32_t y) { return pixelOf(picture(), x, y); }
  static Point plus(Point p, std::int32_t dx, std::int32_t dy) { return {p.x + dx, p.y + dy}; }
  static constexpr int kDrag = FakeForm2Window::kDragDistance;
};

TEST_F(RegionViewTest, ShowingTogglesAndOnlyAClickOnTheShownImageHidesIt) {
  const Point placed = picture().position();
  // Hidden (a selection does not show it): a press where it lies starts a selection.
  EXPECT_FALSE(picture().visible());
  mouseDrag(plus(placed, 4, 4), plus(placed, 4, 4));
  EXPECT_EQ(module1().SelStartX, desktop.cursor.x);
  drag({100, 50}, {147, 83}, {147, 83});
  for (const bool shown : {true, false, true}) {
    form2().hyouji_Click();
    EXPECT_EQ(picture().visible(), shown);
  }
  EXPECT_EQ(picture().position(), placed);
  EXPECT_EQ(picture().width(), 48);
  // A press and release on the shown image, moving less than a drag: its click hides it, and
  // the window's own handlers see nothing (no new selection starts).
  const Point on = plus(placed, 5, 5);
  window().mousePressed(1, 0, on);
  window().mouseMoved(1, 0, plus(on, kDrag - 1, 0));
  window().mouseReleased(1, 0, on, true);
  EXPECT_FALSE(picture().visible());
  EXPECT_EQ(module1().SelStartX, 100);
  EXPECT_EQ(form2().SelWidth, 47);
}

TEST_F(RegionViewTest, ADragMovesTheImagesCentreOntoTheDropPointWithAnOutlineOnTheWay) {
  form2().hyouji_Click();
  const Point placed = picture().position();
  const Point grab = plus(placed, 10, 10);
  // Dropped on itself, a drag moves nothing and is no click.
  mouseDrag(grab, plus(grab, kDrag + 3, 2));
  EXPECT_EQ(picture().position(), placed);
  EXPECT_TRUE(picture().visible());
  // The right button over the shown image is the image's, which has no handler: no menu.
  desktop.popups.clear();
  window().mousePressed(2, 0, grab);
  EXPECT_TRUE(desktop.popups.empty());

  window().mousePressed(1, 0, grab);
  window().mouseMoved(1, 0, {600, 400});
  // During the drag an outline of the image's size is centred on the pointer.
  const FrameShape& outline = window().dragOutline();
  EXPECT_TRUE(outline.visible);
  EXPECT_EQ(Rect(outline.left, outline.top, outline.width, outline.height),
            Rect(576, 383, 48, 34));        // 600 - 48 / 2, 400 - 34 / 2
  EXPECT_EQ(picture().position(), placed);  // the image itself stays until the drop
  window().mouseReleased(1, 0, {600, 400}, true);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  EXPECT_TRUE(picture().visible());
  EXPECT_FALSE(outline.visible);
  EXPECT_EQ(module1().SelStartX, 100);  // no selection began

  // A drop over the magnifier, which lies above the clipping window, is not on its surface.
  mouseDrag({580, 390}, {750, 550}, false);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  // A drop by the handler does not show a hidden image.
  form2().hyouji_Click();
  form2().Form_DragDrop(1020, 2);
  EXPECT_EQ(picture().position(), (Point{996, -15}));
  EXPECT_FALSE(picture().visible());
}

TEST_F(RegionViewTest, RestoreBringsBackTheCaptureButNotTheLastColumnAndRow) {
  form2().Gray_Click();
  const std::uint32_t greyCorner = at(47, 33);
  const std::uint32_t greyColumn = at(47, 5);
  ASSERT_TRUE(module1().ImageChanged);
  form2().BackPi_click();
  EXPECT_FALSE(module1().ImageChanged);
  for (std::int32_t j = 0; j < 33; ++j) {
    for (std::int32_t i = 0; i < 47; ++i)
      ASSERT_EQ(at(i, j), screenColour(101 + i, 51 + j)) << i << "," << j;
  }
  EXPECT_EQ(at(47, 33), greyCorner);  // what the conversion wrote there stays
  EXPECT_EQ(at(47, 5), greyColumn);
  EXPECT_FALSE(item(openMenu(), "BackPi").enabled);

  // After a shrinking mosaic (48 x 34 at level 5: 45 x 30) the restore grows the image back,
  // its grown-back last column and row in the background colour; visibility and place stay.
  form2().hyouji_Click();
  form2().Form_DragDrop(500, 300);
  form2().mozalv_click(5);
  ASSERT_EQ(picture().width(), 45);
  ASSERT_EQ(picture().height(), 30);
  form2().BackPi_click();
  EXPECT_EQ(picture().width(), 48);
  EXPECT_EQ(picture().height(), 34);
  EXPECT_EQ(at(46, 32), screenColour(147, 83));
  EXPECT_EQ(at(47, 10), picture().backColor().resolved().value());
  EXPECT_EQ(at(10, 33), picture().backColor().resolved().value());
  EXPECT_TRUE(picture().visible());
  EXPECT_EQ(picture().position(), (Point{476, 283}));
}

}  // namespace
}  // namespace kepa
