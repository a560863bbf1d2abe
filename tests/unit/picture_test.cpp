#include "platform/picture.h"

#include <gtest/gtest.h>

#include "pixel_testing.h"

namespace kepa {
namespace {

using testing::coloursOf;

TEST(Colour, LayoutAndSystemColours) {
  const Colour darkBlue(0x00800000);
  EXPECT_EQ(darkBlue.red(), 0);
  EXPECT_EQ(darkBlue.green(), 0);
  EXPECT_EQ(darkBlue.blue(), 0x80);
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

TEST(Picture, DrawsThroughItsDeviceContext) {
  Picture picture(2, 1, Colour(0x000000));
  picture.hDC().setStretchMode(StretchMode::COLORONCOLOR);
  EXPECT_EQ(picture.hDC().stretchMode(), StretchMode::COLORONCOLOR);
  EXPECT_TRUE(SetPixelV(picture.hDC(), 1, 0, Colour(0xABCDEF)));
  EXPECT_EQ(GetPixel(picture.hDC(), 1, 0), 0xABCDEF);
  picture.setSize(3, 1);  // the context follows the resized image
  EXPECT_EQ(GetPixel(picture.hDC(), 2, 0), 0x000000);
  EXPECT_EQ(GetPixel(picture.hDC(), 3, 0), -1);
}

}  // namespace
}  // namespace kepa
