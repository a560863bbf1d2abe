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
  // A left-button drag of real mouse events from `from` to `to`.
  void mouseDrag(QPoint from, QPoint to) {
    sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  static QPoint qt(Point p) { return {p.x, p.y}; }
  QImage shot() { return window().grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(RegionViewTest, ShowingTogglesAndOnlyAClickOnTheShownImageHidesIt) {
  const Point placed = picture().position();
  // Hidden (a selection does not show it): a press where it lies starts a selection.
  EXPECT_FALSE(picture().visible());
  mouseDrag(qt(placed) + QPoint(4, 4), qt(placed) + QPoint(4, 4));
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
  const QPoint on = qt(placed) + QPoint(5, 5);
  sendMouse(QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, on + QPoint(QApplication::startDragDistance() - 1, 0), Qt::NoButton,
            Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(picture().visible());
  EXPECT_EQ(module1().SelStartX, 100);
  EXPECT_EQ(form2().SelWidth, 47);
}

TEST_F(RegionViewTest, ADragMovesTheImagesCentreOntoTheDropPointWithAnOutlineOnTheWay) {
  form2().hyouji_Click();
  const Point placed = picture().position();
  const QPoint grab = qt(placed) + QPoint(10, 10);
  // Dropped on itself, a drag moves nothing and is no click.
  mouseDrag(grab, grab + QPoint(QApplication::startDragDistance() + 3, 2));
  EXPECT_EQ(picture().position(), placed);
  EXPECT_TRUE(picture().visible());
  // The right button over the shown image is the image's, which has no handler: no menu.
  desktop.popups.clear();
  sendMouse(QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
  EXPECT_TRUE(desktop.popups.empty());

  sendMouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseMove, {600, 400}, Qt::NoButton, Qt::LeftButton);
  // During the drag an inverting outline of the image's size is centred on the pointer.
  const QImage during = shot();
  const auto inverted = [&](int x, int y) {
    return Colour(screenColour(x, y)).pixel() ^ 0xFFFFFFU;
  };
  EXPECT_EQ(during.pixel(576, 383), inverted(576, 383));  // 600 - 48 / 2, 400 - 34 / 2
  EXPECT_EQ(during.pixel(623, 416), inverted(623, 416));
  EXPECT_EQ(during.pixel(600, 383), inverted(600, 383));
  EXPECT_EQ(during.pixel(590, 395), Colour(screenColour(590, 395)).pixel());
  EXPECT_EQ(picture().position(), placed);  // the image itself stays until the drop
  sendMouse(QEvent::MouseButtonRelease, {600, 400}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  EXPECT_TRUE(picture().visible());
  const QImage after = shot();
  EXPECT_EQ(after.pixel(576, 383), Colour(at(0, 0)).pixel());  // the image, no outline left
  EXPECT_EQ(after.pixel(650, 450), Colour(screenColour(650, 450)).pixel());
  EXPECT_EQ(module1().SelStartX, 100);  // no selection began

  // A drop over the magnifier, which lies above the clipping window, is not on its surface.
  form2().GZoom_Click();
  app.form3().window().move(700, 500);
  mouseDrag({580, 390}, {750, 550});
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
