// Saving the region image as a BMP file through the save dialog and putting it on the
// clipboard, with every failure reported and nothing lost.
#include <gtest/gtest.h>

#include "clipping_fixture.h"
#include "platform/bmp.h"

namespace kepa {
namespace {

using testing::screenColour;

class RegionOutputTest : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    desktop.appPath = "/opt/kepa";
    capture();
    drag({100, 50}, {146, 82}, {146, 82});  // a 46 x 32 region, a 47 x 33 region image
  }

  void save(std::optional<std::string> answer) {
    desktop.saveAnswers.push_back(std::move(answer));
    form2().SavePic_Click();
  }
  // A bitmap of the region image as it is now.
  std::vector<std::uint8_t> bitmapOfPicture1() { return encodeBmp(window().Picture1.image()); }
  std::vector<std::string> savedNames() const {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : desktop.files)
      names.push_back(name);
    return names;
  }
};

TEST_F(RegionOutputTest, DialogIsConfiguredAfreshEveryTimeAndCancelWritesNothing) {
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
  EXPECT_EQ(savedNames(), (std::vector<std::string>{"/elsewhere/chosen.bmp"}));
  // A program folder that cannot be written opens the dialog on the pictures folder.
  desktop.appPathWritable = false;
  desktop.picturesFolder = "/home/somebody/Pictures";
  save(std::nullopt);
  EXPECT_EQ(desktop.saveDialogs.back().directory, "/home/somebody/Pictures");
}

TEST_F(RegionOutputTest, SavesTheWholeRegionImageAsBmpUnderAnyNameAndReplacesWithoutAsking) {
  save("/opt/kepa/RozAze.bmp");
  Surface expected(47, 33);
  for (std::int32_t j = 0; j < 33; ++j) {
    for (std::int32_t i = 0; i < 47; ++i)
      expected.row(j)[i] =
          Colour(i == 46 || j == 32 ? 0xFFFFFFU : screenColour(101 + i, 51 + j)).pixel();
  }
  EXPECT_EQ(desktop.files["/opt/kepa/RozAze.bmp"], encodeBmp(expected));

  // Saving again after a conversion replaces the file with the converted pixels; the name is
  // used as typed.
  form2().Nega_Click();
  for (const char* name : {"/opt/kepa/RozAze.bmp", "/opt/kepa/noextension", "/opt/kepa/a.png"}) {
    save(name);
    EXPECT_EQ(desktop.files[name], bitmapOfPicture1()) << name;
  }
  EXPECT_NE(bitmapOfPicture1(), encodeBmp(expected));
  EXPECT_TRUE(desktop.messages.empty());
  // Nothing on the window moved or changed.
  EXPECT_TRUE(window().Shape1().visible);
  EXPECT_TRUE(module1().ImageChanged);
}

TEST_F(RegionOutputTest, TheMagnifierIsHiddenBeforeTheDialogAndKeepsTicking) {
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

TEST_F(RegionOutputTest, AFailedSaveIsReportedWithThePathAndTheReason) {
  desktop.saveFailures.emplace_back("書き込めません（No space left on device）。");
  save("/dev/full");
  ASSERT_EQ(desktop.messages.size(), 1U);
  EXPECT_EQ(desktop.messages[0],
            "KEPA: 「/dev/full」に保存できませんでした。\n書き込めません（No space left on "
            "device）。");
  EXPECT_TRUE(desktop.files.empty());
}

TEST_F(RegionOutputTest, ClipboardGetsExactlyThePicturesPixelsAndTheLastCopyWins) {
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

}  // namespace
}  // namespace kepa
