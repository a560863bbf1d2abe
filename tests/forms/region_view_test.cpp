// Showing, hiding, dragging and restoring the region image on the clipping window.
#include <QApplication>

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
  static int dragDistance() { return QApplication::startDragDistance(); }
};

TEST_F(RegionViewTest, ShowingTogglesAndAClickOnTheImageHidesIt) {
  EXPECT_FALSE(picture().visible());  // a selection does not show it
  const Point placed = picture().position();
  form2().hyouji_Click();
  EXPECT_TRUE(picture().visible());
  form2().hyouji_Click();
  EXPECT_FALSE(picture().visible());
  form2().hyouji_Click();
  EXPECT_EQ(picture().position(), placed);
  EXPECT_EQ(picture().width(), 48);

  // A press and release on the shown image, without moving: its click hides it, and the
  // window's own handlers see nothing (no new selection starts).
  const QPoint on(placed.x + 5, placed.y + 5);
  sendMouse(QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, on + QPoint(dragDistance() - 1, 0), Qt::NoButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(picture().visible());
  EXPECT_EQ(module1().SelStartX, 100);
  EXPECT_EQ(form2().SelWidth, 47);
}

TEST_F(RegionViewTest, ADragMovesTheImagesCentreOntoTheDropPointWithAnOutlineOnTheWay) {
  form2().hyouji_Click();
  const Point placed = picture().position();
  const QPoint grab(placed.x + 10, placed.y + 10);
  sendMouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, {600, 400}, Qt::NoButton, Qt::LeftButton);
  // During the drag an inverting outline of the image's size is centred on the pointer.
  const QImage shot = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
  const auto inverted = [&](int x, int y) {
    return Colour(screenColour(x, y)).pixel() ^ 0xFFFFFFU;
  };
  EXPECT_EQ(shot.pixel(576, 383), inverted(576, 383));  // 600 - 48 / 2, 400 - 34 / 2
  EXPECT_EQ(shot.pixel(623, 416), inverted(623, 416));
  EXPECT_EQ(shot.pixel(600, 383), inverted(600, 383));
  EXPECT_EQ(shot.pixel(590, 395), Colour(screenColour(590, 395)).pixel());
  EXPECT_EQ(picture().position(), placed);  // the image itself stays until the drop

  sendMouse(QEvent::MouseButtonRelease, {600, 400}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  EXPECT_TRUE(picture().visible());
  const QImage after = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(after.pixel(576, 383), Colour(at(0, 0)).pixel());  // the image, no outline left
  EXPECT_EQ(after.pixel(650, 450), Colour(screenColour(650, 450)).pixel());
  EXPECT_EQ(module1().SelStartX, 100);  // no selection began

  // A drop over the magnifier, which lies above the clipping window, is not on its surface.
  form2().GZoom_Click();
  app.form3().window().move(700, 500);
  sendMouse(QEvent::MouseButtonPress, {580, 390}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, {750, 550}, Qt::NoButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, {750, 550}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
}

TEST_F(RegionViewTest, DropArithmeticRoundsHalvesToEvenAndDoesNotClamp) {
  // A 47 x 33 image: its half sizes are 23.5 and 16.5.
  drag({100, 50}, {146, 82}, {146, 82});
  ASSERT_EQ(picture().width(), 47);
  form2().Form_DragDrop(600, 400);
  EXPECT_EQ(picture().position(), (Point{576, 384}));  // 576.5 -> 576, 383.5 -> 384
  form2().Form_DragDrop(601, 401);
  EXPECT_EQ(picture().position(), (Point{578, 384}));  // 577.5 -> 578, 384.5 -> 384
  form2().Form_DragDrop(1020, 2);
  EXPECT_EQ(picture().position(), (Point{996, -14}));  // partly off the window, kept there
  EXPECT_FALSE(picture().visible());                   // a drop does not show it
}

TEST_F(RegionViewTest, OnlyAShownImageDragsAndADropOnItselfDoesNotMoveIt) {
  // Hidden: a press where it lies starts a selection instead.
  const Point placed = picture().position();
  sendMouse(QEvent::MouseButtonPress, {placed.x + 4, placed.y + 4}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(module1().SelStartX, desktop.cursor.x);
  sendMouse(QEvent::MouseButtonRelease, {placed.x + 4, placed.y + 4}, Qt::LeftButton, Qt::NoButton);

  drag({100, 50}, {147, 83}, {147, 83});
  form2().hyouji_Click();
  const QPoint grab(placed.x + 10, placed.y + 10);
  sendMouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, grab + QPoint(dragDistance() + 3, 2), Qt::NoButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, grab + QPoint(dragDistance() + 3, 2), Qt::LeftButton,
            Qt::NoButton);
  EXPECT_EQ(picture().position(), placed);  // dropped on itself
  EXPECT_TRUE(picture().visible());         // and it was a drag, not a click
  // The right button over the shown image is the image's, which has no handler: no menu.
  const std::size_t menus = desktop.popups.size();
  sendMouse(QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(desktop.popups.size(), menus);
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
}

TEST_F(RegionViewTest, RestoreAfterAShrinkingMosaicGrowsTheImageBack) {
  form2().hyouji_Click();
  form2().Form_DragDrop(500, 300);
  form2().mozalv_click(5);  // 48 x 34 at level 5: 45 x 30
  ASSERT_EQ(picture().width(), 45);
  ASSERT_EQ(picture().height(), 30);
  form2().BackPi_click();
  EXPECT_EQ(picture().width(), 48);
  EXPECT_EQ(picture().height(), 34);
  EXPECT_EQ(at(46, 32), screenColour(147, 83));
  // The grown-back last column and row are in the background colour.
  EXPECT_EQ(at(47, 10), picture().backColor().resolved().value());
  EXPECT_EQ(at(10, 33), picture().backColor().resolved().value());
  // Visibility and place are the restore's to keep.
  EXPECT_TRUE(picture().visible());
  EXPECT_EQ(picture().position(), (Point{476, 283}));
}

}  // namespace
}  // namespace kepa
