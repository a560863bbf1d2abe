// Colours, surfaces and pictures, and the bitmap file written from a picture.
#include "core/picture.h"

#include <gtest/gtest.h>

#include "core/bmp.h"
#include "pixel_testing.h"

namespace kepa {
namespace {

using testing::coloursOf;

TEST(Colour, LayoutAndSystemColours) {
  const Colour darkBlue(0x00800000);
  EXPECT_EQ((std::array{darkBlue.red(), darkBlue.green(), darkBlue.blue()}),
            (std::array<std::uint8_t, 3>{0, 0, 0x80}));
  EXPECT_EQ(darkBlue.pixel(), 0xFF000080U);
  EXPECT_EQ(Colour::fromRgb(0x12, 0x34, 0x56).value(), 0x563412U);
  EXPECT_EQ(Colour::fromPixel(0xFF123456U).value(), 0x563412U);
  EXPECT_EQ(Colour(0x80000005).resolved().value(), 0xFFFFFFU);  // window background
  EXPECT_EQ(Colour(0x80000008).resolved().value(), 0x000000U);  // window text
  EXPECT_EQ(Colour(0x8000000F).resolved().value(), 0xC0C0C0U);  // button face
  EXPECT_EQ(Colour(0x80000001).resolved().value(), 0x000000U);  // never used: black
  EXPECT_TRUE(Colour(0x80000005).isSystemColour());
  EXPECT_EQ(Colour(0x80000005).pixel(), 0xFFFFFFFFU);
  EXPECT_EQ(Colour(0x7F0000FF).resolved().value(), 0x0000FFU);
}

// Memory of someone else's, such as a shared-memory segment, counting its releases.
class BorrowedMemory final : public PixelMemory {
 public:
  BorrowedMemory(std::vector<std::uint32_t>& words, int& released)
      : words_(words), released_(released) {}
  ~BorrowedMemory() override { ++released_; }
  std::uint32_t* pixels() override { return words_.data(); }

 private:
  std::vector<std::uint32_t>& words_;
  int& released_;
};

TEST(Surface, LivesInGivenMemoryUntilItIsResized) {
  std::vector<std::uint32_t> words(6, 0);
  int released = 0;
  {
    Surface surface(3, 2, std::make_unique<BorrowedMemory>(words, released),
                    Colour(0x0000FF).pixel());
    EXPECT_EQ(surface.data(), words.data());
    EXPECT_EQ(words, std::vector<std::uint32_t>(6, 0xFFFF0000U));
    surface.row(1)[2] = 0x00123456U;  // a word without its opaque top byte, as X leaves it
    surface.makeOpaque(1, 2);
    EXPECT_EQ(words[5], 0xFF123456U);
    Surface moved = std::move(surface);
    EXPECT_EQ(moved.data(), words.data());
    EXPECT_EQ(released, 0);
    moved.resize(4, 2, Colour(0x00FF00).pixel());  // into a buffer of its own, pixels kept
    EXPECT_EQ(released, 1);
    EXPECT_NE(moved.data(), words.data());
    EXPECT_EQ(coloursOf(moved),
              (std::vector<std::uint32_t>{0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00, 0x0000FF,
                                          0x0000FF, 0x563412, 0x00FF00}));
  }
  EXPECT_EQ(released, 1);
}

TEST(Picture, StartsInItsBackgroundColourAndAssigningBackColorFills) {
  Picture picture(3, 2);
  EXPECT_EQ(picture.backColor().value(), Colour::kWindowBackground);
  EXPECT_EQ(coloursOf(picture.image()), std::vector<std::uint32_t>(6, 0xFFFFFF));
  picture.image().row(0)[0] = Colour(0x00FF00).pixel();
  picture.setBackColor(Colour(0x0000FF));
  EXPECT_EQ(coloursOf(picture.image()), std::vector<std::uint32_t>(6, 0x0000FF));
  picture.image().row(1)[2] = Colour(0x00FF00).pixel();
  picture.Cls();
  EXPECT_EQ(coloursOf(picture.image()), std::vector<std::uint32_t>(6, 0x0000FF));
}

TEST(Picture, ResizingKeepsWhatFitsAndFillsGrownAreaWithTheBackground) {
  Picture picture(2, 2, Colour(0x000000));
  picture.image().row(0)[0] = Colour(1).pixel();
  picture.image().row(0)[1] = Colour(2).pixel();
  picture.image().row(1)[0] = Colour(3).pixel();
  picture.image().row(1)[1] = Colour(4).pixel();
  picture.setBackColor(Colour(0x0000FF));  // fills, so redraw the corner
  picture.image().row(0)[0] = Colour(1).pixel();
  picture.setSize(3, 3);
  EXPECT_EQ(coloursOf(picture.image()),
            (std::vector<std::uint32_t>{1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  picture.setWidth(1);
  EXPECT_EQ(coloursOf(picture.image()), (std::vector<std::uint32_t>{1, 0xFF, 0xFF}));
  picture.setHeight(0);
  EXPECT_TRUE(picture.image().empty());
  EXPECT_EQ(picture.width(), 1);
  picture.setSize(2, 1);
  EXPECT_EQ(coloursOf(picture.image()), (std::vector<std::uint32_t>{0xFF, 0xFF}));
  EXPECT_THROW(picture.setWidth(-1), std::invalid_argument);
}

// A reader written from the format's description: little-endian fields, 24-bit rows bottom-up
// padded to four bytes, blue first.
std::uint32_t field(const std::vector<std::uint8_t>& file, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = value << 8U | file.at(at + static_cast<std::size_t>(i));
  return value;
}

struct Decoded {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> colours;  // 0x00BBGGRR, top row first
};

Decoded decode(const std::vector<std::uint8_t>& file) {
  EXPECT_EQ(file.at(0), 'B');
  EXPECT_EQ(file.at(1), 'M');
  EXPECT_EQ(field(file, 2, 4), file.size());
  EXPECT_EQ(field(file, 14, 4), 40U);  // BITMAPINFOHEADER
  EXPECT_EQ(field(file, 26, 2), 1U);   // planes
  EXPECT_EQ(field(file, 28, 2), 24U);  // bits per pixel
  EXPECT_EQ(field(file, 30, 4), 0U);   // uncompressed
  Decoded picture;
  picture.width = static_cast<std::int32_t>(field(file, 18, 4));
  picture.height = static_cast<std::int32_t>(field(file, 22, 4));
  const std::size_t offset = field(file, 10, 4);
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(field(file, 34, 4), stride * static_cast<std::size_t>(picture.height));
  EXPECT_EQ(file.size(), offset + stride * static_cast<std::size_t>(picture.height));
  for (std::int32_t y = 0; y < picture.height; ++y) {
    const std::size_t row = offset + static_cast<std::size_t>(picture.height - 1 - y) * stride;
    for (std::int32_t x = 0; x < picture.width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      picture.colours.push_back(
          Colour::fromRgb(file.at(at + 2), file.at(at + 1), file.at(at)).value());
    }
    for (std::size_t pad = static_cast<std::size_t>(picture.width) * 3; pad < stride; ++pad)
      EXPECT_EQ(file.at(row + pad), 0) << "padding of row " << y;
  }
  return picture;
}

TEST(Bmp, AnAsymmetricOddSizedPictureReadsBackPixelForPixel) {
  // An "F" in red on blue, 47 x 33 (47 x 3 = 141 bytes: three bytes of padding per row), with a
  // distinct green value per column and row so that a flip, a shift or a swap shows.
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = 0; y < 33; ++y) {
    for (std::int32_t x = 0; x < 47; ++x) {
      const bool f = (x >= 5 && x < 9 && y >= 4 && y < 29) ||
                     (y >= 4 && y < 8 && x >= 5 && x < 30) ||
                     (y >= 14 && y < 18 && x >= 5 && x < 22);
      const auto green = static_cast<std::uint32_t>((x * 5 + y * 3) & 0xFF);
      colours.push_back((f ? 0x0000FFU : 0xFF0000U) | green << 8U);
    }
  }
  const Surface picture = testing::surfaceOf(47, 33, colours);
  const std::vector<std::uint8_t> file = encodeBmp(picture);
  EXPECT_EQ(file.size(), 54U + 144U * 33U);
  EXPECT_EQ(file.size(), bmpFileSize(47, 33));
  EXPECT_EQ(field(file, 10, 4), 54U);
  const Decoded decoded = decode(file);
  EXPECT_EQ(decoded.width, 47);
  EXPECT_EQ(decoded.height, 33);
  EXPECT_EQ(decoded.colours, colours);
}

TEST(Bmp, RowsOfEveryPaddingAndTheSmallestPicture) {
  for (const std::int32_t width : {1, 2, 3, 4, 5}) {
    std::vector<std::uint32_t> colours;
    for (std::int32_t i = 0; i < width * 2; ++i)
      colours.push_back(static_cast<std::uint32_t>(0x102030 * (i + 1)) & 0xFFFFFFU);
    const std::vector<std::uint8_t> file = encodeBmp(testing::surfaceOf(width, 2, colours));
    EXPECT_EQ(decode(file).colours, colours) << width;
  }
  EXPECT_THROW((void)encodeBmp(Surface(0, 5)), std::invalid_argument);
  EXPECT_THROW((void)encodeBmp(Surface(5, 0)), std::invalid_argument);
}

}  // namespace
}  // namespace kepa
