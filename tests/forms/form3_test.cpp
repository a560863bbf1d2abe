// The magnifier on a FakeDesktop: the enlarged view of the captured image, the marker, the
// labels, the switch from the clipping menu and the moves out of the pointer's way.
#include "magnifier/form3.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "clipping_fixture.h"
#include "magnifier/place_zoom_window.h"

namespace kepa {
namespace {

using testing::screenColour;

constexpr std::uint32_t kButtonFace = 0xC0C0C0;

// Counts the paint events a widget gets.
class PaintCounter final : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class Form3Test : public testing::ClippingTest {
 protected:
  Form3& form3() { return app.form3(); }
  Form3Window& zoom() { return app.form3().window(); }

  // The magnifier switched on from the clipping menu.
  void switchOn() {
    desktop.menuChoices.push_back("GZoom");
    form2().Form_MouseDown(2, 0, 0, 0);
  }
  // The colour the enlarged view shows at (x, y) of the client area.
  std::uint32_t viewAt(std::int32_t x, std::int32_t y) {
    return Colour::fromPixel(zoom().client().image().row(y)[x]).value();
  }
  std::string labels() {
    return zoom().client().LabelX->text().toStdString() + " " +
           zoom().client().LabelY->text().toStdString();
  }
};

TEST_F(Form3Test, WindowStartsHiddenStoppedAndLaidOutInTwips) {
  capture();
  EXPECT_FALSE(form3().Visible());  // loads it
  ASSERT_TRUE(form3().isLoaded());
  EXPECT_EQ(zoom().windowTitle(), QStringLiteral("ＺｏｏｍＵＰ"));
  EXPECT_FALSE(zoom().windowIcon().isNull());
  EXPECT_EQ(zoom().client().size(), QSize(227, 273));
  // Its own frame: a caption 18 pixels high and a one-pixel border.
  EXPECT_EQ(zoom().size(), QSize(229, 293));
  EXPECT_EQ(zoom().client().pos(), QPoint(1, 19));
  EXPECT_EQ(zoom().Timer1.interval(), 0);
  EXPECT_FALSE(zoom().Timer1.isRunning());
  const struct {
    QLabel* label;
    const char* caption;
    QRect geometry;
  } labels[] = {{zoom().client().Label1, "X :", {8, 240, 25, 17}},
                {zoom().client().LabelX, "Label3", {40, 240, 89, 17}},
                {zoom().client().Label2, "Y :", {128, 240, 25, 17}},
                {zoom().client().LabelY, "Label4", {160, 240, 57, 17}}};
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->text().toStdString(), l.caption);
    EXPECT_EQ(l.label->geometry(), l.geometry) << l.caption;
    EXPECT_EQ(l.label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(l.label->font().bold());
    EXPECT_EQ(l.label->font().pointSize(), 12);
  }
  EXPECT_EQ(zoom().Picture1.width(), 32);
  EXPECT_EQ(zoom().Picture1.position(), (Point{64, 296}));
  EXPECT_EQ(zoom().Picture1.backColor().value(), Colour::kWindowBackground);
}

TEST_F(Form3Test, LayoutAndViewScaleWithTheDisplaysTwipsPerPixel) {
  // The client area is 3405 x 4095 twips, LabelX sits at (600, 3600) twips and is 1335 x 255;
  // the view keeps its 3375 twips, each captured pixel a block of whole pixels.
  const struct {
    float twipsPerPixel;
    QSize client;
    QRect labelX;
    int block;
  } cases[] = {
      {12.0F, {284, 341}, {50, 300, 111, 21}, 18},  // 125 %
      {10.0F, {340, 410}, {60, 360, 134, 26}, 22},  // 150 %
      {7.5F, {454, 546}, {80, 480, 178, 34}, 30},   // 200 %
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.twipsPerPixel);
    app.form2().EndClip_Click();
    desktop.twipsPerPixel = c.twipsPerPixel;
    app.form1().StartCap_Click();
    EXPECT_EQ(zoom().client().size(), c.client);
    EXPECT_EQ(zoom().client().LabelX->geometry(), c.labelX);
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
    // The client area beyond the view is cleared.
    EXPECT_EQ(viewAt(225, 10), kButtonFace);
    EXPECT_EQ(viewAt(10, 260), kButtonFace);
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
  switchOn();
  const std::string handle = std::to_string(desktop.windowHandle(zoom()));
  EXPECT_EQ(desktop.calls.back(), "SetWindowPos " + handle + " -1 10 10 10 10 0x53");
  EXPECT_TRUE(form3().Visible());
  EXPECT_TRUE(zoom().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(zoom().testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(zoom().Timer1.interval(), 1);
  EXPECT_TRUE(zoom().Timer1.isRunning());
  const QPoint at = zoom().pos();
  EXPECT_NE(at, QPoint(10, 10));

  switchOn();  // the same item again: off
  EXPECT_EQ(desktop.calls.back(), "SetWindowPos " + handle + " -2 10 10 10 10 0x93");
  EXPECT_FALSE(form3().Visible());
  EXPECT_FALSE(zoom().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(zoom().Timer1.interval(), 0);
  EXPECT_FALSE(zoom().Timer1.isRunning());
  EXPECT_EQ(zoom().pos(), at);

  // Hidden by other means (as the save command does, or minimised): it reads as not visible,
  // so the next switch shows it again.
  switchOn();
  zoom().hide();
  switchOn();
  EXPECT_TRUE(form3().Visible());
  EXPECT_EQ(zoom().Timer1.interval(), 1);
  zoom().showMinimized();
  EXPECT_FALSE(form3().Visible());
  switchOn();
  EXPECT_TRUE(form3().Visible());
  EXPECT_FALSE(zoom().isMinimized());
}

TEST_F(Form3Test, RunningTimerTicksAndAStillPointerPaintsNothingNew) {
  capture();
  desktop.cursor = {400, 400};
  switchOn();
  PaintCounter counter;
  zoom().client().installEventFilter(&counter);
  ASSERT_TRUE(QTest::qWaitFor([&] { return labels() == "400 400"; }, 2000));
  QTest::qWait(30);
  const int settled = counter.paints;
  QTest::qWait(50);  // dozens of ticks over the same pixels
  EXPECT_EQ(counter.paints, settled);
  desktop.cursor = {401, 400};
  ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > settled; }, 2000));
  EXPECT_EQ(labels(), "401 400");
}

TEST_F(Form3Test, MovesOutOfThePointersWayOverItsClientAreaOnly) {
  capture();
  switchOn();
  zoom().move(300, 200);
  const int width = zoom().frameGeometry().width();
  // A real pointer move reaching the window at `at` (routed to the child there, if any); each
  // lands a pixel further on, since a move to where the pointer already is is no move.
  int moves = 0;
  const auto moveOver = [&](QPoint at, Point cursor) {
    desktop.cursor = cursor;
    QTest::mouseMove(zoom().windowHandle(), at + QPoint(++moves, 0));
    QCoreApplication::processEvents();
    return zoom().pos();
  };
  const QPoint client = zoom().client().pos() + QPoint(100, 100);
  EXPECT_EQ(moveOver(client, {100, 100}), QPoint(1024 - width, 200));  // left, upper half
  EXPECT_EQ(module1().CursorPos, (Point{100, 100}));
  EXPECT_EQ(moveOver(client, {900, 700}), QPoint(0, 0));  // right, lower half: left and top
  zoom().move(300, 200);
  EXPECT_EQ(moveOver(client, {512, 100}), QPoint(300, 200));  // on the centre line
  EXPECT_EQ(moveOver(client, {600, 384}), QPoint(0, 200));    // sh / 2 is not the lower half
  zoom().move(300, 200);
  // Over a label or the caption: not the client area.
  const QPoint label = zoom().client().pos() + zoom().client().LabelX->geometry().center();
  EXPECT_EQ(moveOver(label, {100, 700}), QPoint(300, 200));
  EXPECT_EQ(moveOver(QPoint(30, 8), {100, 700}), QPoint(300, 200));

  // Within the monitor that holds the pointer: a 1024 x 768 monitor and, right of it, the
  // primary 512 x 384 one; then a primary monitor below the first, from y = 768.
  const auto placeFor = [&](Point cursor, QPoint from) {
    zoom().move(from);
    desktop.cursor = cursor;
    PlaceZoomWindow(module1(), desktop, zoom());
    return zoom().pos();
  };
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{1024, 0, 512, 384}, true}};
  EXPECT_EQ(placeFor({1100, 100}, {300, 200}), QPoint(1536 - width, 200));
  EXPECT_EQ(placeFor({1400, 300}, {300, 200}), QPoint(1024, 0));
  EXPECT_EQ(placeFor({1280, 100}, {300, 200}), QPoint(300, 200));  // B's centre line
  EXPECT_EQ(placeFor({100, 700}, {300, 200}), QPoint(1024 - width, 0));
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{0, 768, 800, 600}, true}};
  EXPECT_EQ(placeFor({100, 1300}, {300, 900}), QPoint(800 - width, 768));
  EXPECT_EQ(placeFor({700, 800}, {300, 900}), QPoint(0, 900));
}

TEST_F(Form3Test, ClosingItUnloadsItAndTheNextReferenceStartsAfresh) {
  capture();
  desktop.cursor = {10, 10};
  switchOn();
  form3().Timer1_Timer();
  QPointer<Form3Window> first(&zoom());
  first->close();
  EXPECT_FALSE(form3().isLoaded());
  EXPECT_FALSE(first->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_FALSE(form3().Visible());  // created again, hidden and stopped
  EXPECT_EQ(zoom().Timer1.interval(), 0);
  EXPECT_EQ(labels(), "Label3 Label4");
  switchOn();
  EXPECT_TRUE(form3().Visible());
}

}  // namespace
}  // namespace kepa
