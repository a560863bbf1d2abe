// The region image: shown, hidden, dragged, restored, saved through the save dialog (the common
// dialog beneath) and put on the clipboard, every failure reported and nothing lost.
#include <gtest/gtest.h>

#include "clipping_fixture.h"
#include "core/bmp.h"
#include "runtime/common_dialog.h"

namespace kepa {
namespace {

using testing::screenColour;

class RegionTest : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    desktop.appPath = "/opt/kepa";
    capture();
    drag({100, 50}, {147, 83}, {147, 83});  // 47 x 33 region, 48 x 34 region image
  }

  void save(std::optional<std::string> answer) {
    desktop.saveAnswers.push_back(std::move(answer));
    form2().SavePic_Click();
  }
  // A bitmap of the region image as it is now.
  std::vector<std::uint8_t> bitmapOfPicture1() { return encodeBmp(window().Picture1.image()); }
  Picture& picture() { return window().Picture1; }
  std::uint32_t at(std::int32_t x, std::int32_t y) { return pixelOf(picture(), x, y); }
  static Point plus(Point p, std::int32_t dx, std::int32_t dy) { return {p.x + dx, p.y + dy}; }
  static constexpr int kDrag = FakeForm2Window::kDragDistance;
};

TEST_F(RegionTest, DialogIsConfiguredAfreshEveryTimeAndCancelWritesNothing) {
  save(std::nullopt);
  save("/elsewhere/chosen.bmp");
  save(std::nullopt);
  ASSERT_EQ(desktop.saveDialogs.size(), 3U);
  for (const SaveDialogRequest& request : desktop.saveDialogs) {
    EXPECT_EQ(request.filters, (std::vector<std::pair<std::string, std::string>>{
                                   {"BMP ﾌｧｲﾙ", "*.BMP"}, {"すべてのﾌｧｲﾙ", "*.*"}}));
    EXPECT_EQ(request.directory, "/opt/kepa");
    EXPECT_EQ(request.fileName, "RozAze.bmp");  // never the name chosen last time
    EXPECT_EQ(request.flags, 8);
    EXPECT_EQ(request.owner, &window());
  }
  EXPECT_TRUE(desktop.messages.empty());
  ASSERT_EQ(desktop.files.size(), 1U);
  EXPECT_EQ(desktop.files.begin()->first, "/elsewhere/chosen.bmp");
  // A program folder that cannot be written opens the dialog on the pictures folder.
  desktop.appPathWritable = false;
  desktop.picturesFolder = "/home/somebody/Pictures";
  save(std::nullopt);
  EXPECT_EQ(desktop.saveDialogs.back().directory, "/home/somebody/Pictures");
}

TEST_F(RegionTest, SavesTheWholeRegionImageAsBmpUnderAnyNameAndReplacesWithoutAsking) {
  save("/opt/kepa/RozAze.bmp");
  const std::vector<std::uint8_t> captured = bitmapOfPicture1();  // all 48 x 34 pixels
  EXPECT_EQ(desktop.files["/opt/kepa/RozAze.bmp"], captured);

  // Saving again after a conversion replaces the file with the converted pixels; the name is
  // used as typed.
  form2().Nega_Click();
  for (const char* name : {"/opt/kepa/RozAze.bmp", "/opt/kepa/noextension", "/opt/kepa/a.png"}) {
    save(name);
    EXPECT_EQ(desktop.files[name], bitmapOfPicture1()) << name;
  }
  EXPECT_NE(bitmapOfPicture1(), captured);
  EXPECT_TRUE(desktop.messages.empty());
  // Nothing on the window moved or changed.
  EXPECT_TRUE(window().Shape1().visible);
  EXPECT_TRUE(module1().ImageChanged);
}

TEST_F(RegionTest, TheMagnifierIsHiddenBeforeTheDialogAndKeepsTicking) {
  form2().GZoom_Click();
  ASSERT_TRUE(app.form3().Visible());
  save(std::nullopt);  // cancelled: it stays hidden all the same
  const std::string handle = std::to_string(desktop.windowHandle(app.form3().window()));
  const auto hid = std::find(desktop.calls.begin(), desktop.calls.end(),
                             "SetWindowPos " + handle + " -2 10 10 10 10 0x93");
  ASSERT_NE(hid, desktop.calls.end());
  EXPECT_LT(hid, std::find(desktop.calls.begin(), desktop.calls.end(), "showSaveDialog"));
  EXPECT_FALSE(app.form3().Visible());
  EXPECT_EQ(magnifier().Timer1().interval(), 1);
  form2().GZoom_Click();  // not visible, so 虫眼鏡 shows it again
  EXPECT_TRUE(app.form3().Visible());
  form2().SaveClip_Click();  // the clipboard command leaves it shown
  EXPECT_TRUE(app.form3().Visible());
}

TEST_F(RegionTest, AFailedSaveIsReportedWithThePathAndTheReason) {
  desktop.saveFailures.emplace_back("書き込めません（No space left on device）。");
  save("/dev/full");
  ASSERT_EQ(desktop.messages.size(), 1U);
  EXPECT_EQ(desktop.messages[0],
            "KEPA: 「/dev/full」に保存できませんでした。\n書き込めません（No space left on "
            "device）。");
  EXPECT_TRUE(desktop.files.empty());
}

// Refused before a front end writes anything: a picture without pixels, no name, a folder,
// a link.
TEST(SaveRefusals, ComeBeforeAnyWriteWithTheirOwnWords) {
  FakeDesktop desktop;
  desktop.folders.insert("/tmp/pictures");
  desktop.links.insert("/tmp/RozAze.bmp");
  const Surface picture(2, 2);
  const Surface none;
  const struct {
    const Surface* picture;
    const char* path;
    const char* reason;
  } cases[] = {
      {&none, "/tmp/a.bmp", "画像の幅または高さが 0 のため、ビットマップにできません。"},
      {&picture, "", "ファイル名がありません。"},
      {&picture, "/tmp/pictures", "同じ名前のフォルダーがあります。"},
      {&picture, "/tmp/RozAze.bmp", "同じ名前のリンクがあります（リンク先には書き込みません）。"}};
  for (const auto& c : cases) {
    const SaveOutcome outcome = desktop.SavePicture(*c.picture, c.path);
    EXPECT_FALSE(outcome.saved) << c.reason;
    EXPECT_EQ(outcome.reason, c.reason);
  }
  EXPECT_TRUE(desktop.calls.empty());  // writeBitmap was never asked
  EXPECT_TRUE(desktop.SavePicture(picture, "/tmp/pictures/a.bmp").saved);
  EXPECT_EQ(desktop.files.size(), 1U);
}

TEST_F(RegionTest, ClipboardGetsExactlyThePicturesPixelsAndTheLastCopyWins) {
  const auto bitmapOfClipboard = [&] { return encodeBmp(*desktop.clipboard); };
  form2().SaveClip_Click();
  ASSERT_TRUE(desktop.clipboard.has_value());
  EXPECT_EQ(bitmapOfClipboard(), bitmapOfPicture1());
  EXPECT_LT(std::find(desktop.calls.begin(), desktop.calls.end(), "Clipboard.Clear"),
            std::find(desktop.calls.begin(), desktop.calls.end(), "Clipboard.SetData"));
  form2().Gray_Click();
  form2().SaveClip_Click();
  EXPECT_EQ(bitmapOfClipboard(), bitmapOfPicture1());  // the grey copy replaced it
  EXPECT_TRUE(desktop.messages.empty());

  // A clipboard that cannot be written is reported and keeps its contents; an image without
  // pixels is not put there either.
  const std::uint32_t before = desktop.clipboard->row(0)[0];
  form2().Nega_Click();
  desktop.clipboardRefuses = true;
  form2().SaveClip_Click();
  ASSERT_EQ(desktop.messages.size(), 1U);
  EXPECT_EQ(desktop.clipboard->row(0)[0], before);
  desktop.clipboardRefuses = false;
  window().Picture1.setSize(0, 0);
  form2().SaveClip_Click();
  EXPECT_EQ(desktop.messages.size(), 2U);
  EXPECT_EQ(desktop.clipboard->row(0)[0], before);
}

TEST(CommonDialog, FileTypesComeInPairsAndACancelErrsOnlyWhenAskedTo) {
  EXPECT_EQ(filterPairs("BMP ﾌｧｲﾙ|*.BMP|すべてのﾌｧｲﾙ|*.*"),
            (std::vector<std::pair<std::string, std::string>>{{"BMP ﾌｧｲﾙ", "*.BMP"},
                                                              {"すべてのﾌｧｲﾙ", "*.*"}}));
  EXPECT_TRUE(filterPairs("only a description").empty());
  EXPECT_TRUE(filterPairs("").empty());

  FakeDesktop desktop;
  CommonDialog dialog;
  dialog.FileName = "RozAze.bmp";
  EXPECT_EQ(dialog.ShowSave(desktop), 0);  // cancelled, but no error asked for
  dialog.CancelError = true;
  EXPECT_EQ(dialog.ShowSave(desktop), 32755);  // cdlCancel
  EXPECT_EQ(dialog.FileName, "RozAze.bmp");
  desktop.saveAnswers.push_back("/tmp/chosen");
  EXPECT_EQ(dialog.ShowSave(desktop), 0);
  EXPECT_EQ(dialog.FileName, "/tmp/chosen");
}

TEST_F(RegionTest, ShowingTogglesAndOnlyAClickOnTheShownImageHidesIt) {
  const Point placed = picture().position();
  // Hidden (a selection does not show it): a press where it lies starts a selection.
  EXPECT_FALSE(picture().visible());
  drag(plus(placed, 4, 4), plus(placed, 4, 4), plus(placed, 4, 4));
  EXPECT_EQ(module1().SelStartX, placed.x + 4);
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
  drag(on, plus(on, kDrag - 1, 0), on);
  EXPECT_FALSE(picture().visible());
  EXPECT_EQ(module1().SelStartX, 100);
  EXPECT_EQ(form2().SelWidth, 47);
}

TEST_F(RegionTest, ADragMovesTheImagesCentreOntoTheDropPointWithAnOutlineOnTheWay) {
  form2().hyouji_Click();
  const Point placed = picture().position();
  const Point grab = plus(placed, 10, 10);
  // Dropped on itself, a drag moves nothing and is no click.
  drag(grab, plus(grab, kDrag + 3, 2), plus(grab, kDrag + 3, 2));
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
  EXPECT_EQ((Rect{outline.left, outline.top, outline.width, outline.height}),
            (Rect{576, 383, 48, 34}));      // 600 - 48 / 2, 400 - 34 / 2
  EXPECT_EQ(picture().position(), placed);  // the image itself stays until the drop
  window().mouseReleased(1, 0, {600, 400}, true);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  EXPECT_TRUE(picture().visible());
  EXPECT_FALSE(outline.visible);
  EXPECT_EQ(module1().SelStartX, 100);  // no selection began

  // A drop over the magnifier, which lies above the clipping window, is not on its surface.
  drag({580, 390}, {750, 550}, {750, 550}, false);
  EXPECT_EQ(picture().position(), (Point{576, 383}));
  // A drop by the handler does not show a hidden image.
  form2().hyouji_Click();
  form2().Form_DragDrop(1020, 2);
  EXPECT_EQ(picture().position(), (Point{996, -15}));
  EXPECT_FALSE(picture().visible());
}

TEST_F(RegionTest, RestoreBringsBackTheCaptureButNotTheLastColumnAndRow) {
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
  ASSERT_EQ((Point{picture().width(), picture().height()}), (Point{45, 30}));
  form2().BackPi_click();
  EXPECT_EQ((Point{picture().width(), picture().height()}), (Point{48, 34}));
  EXPECT_EQ(at(46, 32), screenColour(147, 83));
  EXPECT_EQ(at(47, 10), picture().backColor().resolved().value());
  EXPECT_EQ(at(10, 33), picture().backColor().resolved().value());
  EXPECT_TRUE(picture().visible());
  EXPECT_EQ(picture().position(), (Point{476, 283}));
}

}  // namespace
}  // namespace kepa
