// Saving the region image as a BMP file through the save dialog and putting it on the
// clipboard, with every failure reported and nothing lost.
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include <QImage>

#include <gtest/gtest.h>

#include "clipping_fixture.h"

namespace kepa {
namespace {

namespace fs = std::filesystem;
using testing::screenColour;

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RegionOutputTest : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    folder = fs::temp_directory_path() / ("kepa-output-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    desktop.appPath = folder.string();
    capture();
    drag({100, 50}, {146, 82}, {146, 82});  // a 46 x 32 region, a 47 x 33 region image
  }
  void TearDown() override { fs::remove_all(folder); }

  void save(std::optional<std::string> answer) {
    desktop.saveAnswers.push_back(std::move(answer));
    form2().SavePic_Click();
  }

  // The colours of a surface, or of a saved file read back by Qt's own BMP reader.
  static std::vector<std::uint32_t> coloursOf(const Surface& image) {
    std::vector<std::uint32_t> colours;
    for (std::int32_t y = 0; y < image.height(); ++y) {
      for (std::int32_t x = 0; x < image.width(); ++x)
        colours.push_back(Colour::fromPixel(image.row(y)[x]).value());
    }
    return colours;
  }
  static std::vector<std::uint32_t> coloursInFile(const fs::path& path) {
    const QImage image(QString::fromStdString(path.string()), "BMP");
    EXPECT_EQ(image.size(), QSize(47, 33));
    Surface surface(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x)
        surface.row(y)[x] = image.pixel(x, y);
    }
    return coloursOf(surface);
  }
  std::vector<std::uint32_t> pictureColours() { return coloursOf(window().Picture1.image()); }

  // No file in the folder but the ones named.
  void expectOnly(const std::vector<std::string>& names) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, names);
  }

  fs::path folder;
};

TEST_F(RegionOutputTest, DialogIsConfiguredAfreshEveryTimeAndCancelWritesNothing) {
  save(std::nullopt);
  save((folder / "elsewhere.bmp").string());
  save(std::nullopt);
  ASSERT_EQ(desktop.saveDialogs.size(), 3U);
  for (const SaveDialogRequest& request : desktop.saveDialogs) {
    EXPECT_EQ(request.filters, (std::vector<std::pair<std::string, std::string>>{
                                   {"BMP ﾌｧｲﾙ", "*.BMP"}, {"すべてのﾌｧｲﾙ", "*.*"}}));
    EXPECT_EQ(request.directory, folder.string());
    EXPECT_EQ(request.fileName, "RozAze.bmp");  // never the name chosen last time
    EXPECT_EQ(request.flags, 8);
  }
  EXPECT_TRUE(desktop.messages.empty());
  expectOnly({"elsewhere.bmp"});
  // A program folder that cannot be written opens the dialog on the pictures folder.
  desktop.appPath = (folder / "not-there").string();
  desktop.picturesFolder = "/home/somebody/Pictures";
  save(std::nullopt);
  EXPECT_EQ(desktop.saveDialogs.back().directory, "/home/somebody/Pictures");
}

TEST_F(RegionOutputTest, SavesTheWholeRegionImageAsBmpUnderAnyNameAndReplacesWithoutAsking) {
  const fs::path file = folder / "RozAze.bmp";
  save(file.string());
  std::vector<std::uint32_t> expected;
  for (std::int32_t j = 0; j < 33; ++j) {
    for (std::int32_t i = 0; i < 47; ++i)
      expected.push_back(i == 46 || j == 32 ? 0xFFFFFFU : screenColour(101 + i, 51 + j));
  }
  EXPECT_EQ(coloursInFile(file), expected);
  EXPECT_EQ(fs::file_size(file), 54U + 144U * 33U);  // 24 bits per pixel, padded rows

  // Saving again after a conversion replaces the file with the converted pixels; the name is
  // used as typed and the content is always a bitmap.
  form2().Nega_Click();
  for (const char* name : {"RozAze.bmp", "noextension", "picture.png"}) {
    save((folder / name).string());
    EXPECT_EQ(contentsOf(folder / name).substr(0, 2), "BM") << name;
    EXPECT_EQ(coloursInFile(folder / name), pictureColours()) << name;
  }
  EXPECT_NE(pictureColours(), expected);
  EXPECT_TRUE(desktop.messages.empty());
  // Nothing on the window moved or changed.
  EXPECT_TRUE(window().Shape1().visible);
  EXPECT_TRUE(module1().ImageChanged);
  expectOnly({"RozAze.bmp", "noextension", "picture.png"});
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
  EXPECT_EQ(app.form3().window().Timer1.interval(), 1);
  form2().GZoom_Click();  // not visible, so 虫眼鏡 shows it again
  EXPECT_TRUE(app.form3().Visible());
  form2().SaveClip_Click();  // the clipboard command leaves it shown
  EXPECT_TRUE(app.form3().Visible());
}

TEST_F(RegionOutputTest, EveryFailureIsReportedWithThePathAndNothingIsLost) {
  const fs::path existing = folder / "keep.bmp";
  { std::ofstream(existing, std::ios::binary) << "precious"; }
  const fs::path directory = folder / "a folder";
  fs::create_directories(directory);
  // A folder nobody can write, a full disk, a folder as the name, a folder that does not
  // exist, no name.
  for (const std::string& path :
       {std::string("/proc/kepa-test.bmp"), std::string("/dev/full"), directory.string(),
        (folder / "missing" / "x.bmp").string(), std::string()}) {
    desktop.messages.clear();
    save(path);
    ASSERT_EQ(desktop.messages.size(), 1U) << path;
    EXPECT_NE(desktop.messages[0].find("「" + path + "」"), std::string::npos) << path;
  }
  struct stat full {};
  ASSERT_EQ(::stat("/dev/full", &full), 0);
  EXPECT_TRUE(S_ISCHR(full.st_mode));  // still the device
  EXPECT_TRUE(fs::is_directory(directory));

  // A region image without pixels (a mosaic can leave one) is refused, and an existing file
  // of that name stays byte for byte as it was.
  drag({100, 50}, {105, 55}, {105, 55});  // 6 x 6 pixels: level 11 leaves no block
  form2().mozalv_click(11);
  ASSERT_TRUE(window().Picture1.image().empty());
  desktop.messages.clear();
  save(existing.string());
  ASSERT_EQ(desktop.messages.size(), 1U);
  EXPECT_EQ(contentsOf(existing), "precious");
  expectOnly({"a folder", "keep.bmp"});  // no temporary file left behind
}

TEST_F(RegionOutputTest, ClipboardGetsExactlyThePicturesPixelsAndTheLastCopyWins) {
  form2().SaveClip_Click();
  ASSERT_TRUE(desktop.clipboard.has_value());
  EXPECT_EQ(coloursOf(*desktop.clipboard), pictureColours());
  EXPECT_EQ(desktop.clipboard->width(), 47);
  EXPECT_LT(std::find(desktop.calls.begin(), desktop.calls.end(), "Clipboard.Clear"),
            std::find(desktop.calls.begin(), desktop.calls.end(), "Clipboard.SetData"));
  form2().Gray_Click();
  form2().SaveClip_Click();
  EXPECT_EQ(coloursOf(*desktop.clipboard), pictureColours());  // the grey copy replaced it
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
