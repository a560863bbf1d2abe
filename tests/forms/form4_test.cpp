// The custom settings dialog and the surprise effects on the fake front end, the user's actions
// in the dialog played while it is shown modally.
#include <gtest/gtest.h>

#include "clipping_fixture.h"
#include "tests/unit/pixel_testing.h"

namespace kepa {
namespace {

using testing::screenColour;

class Form4Test : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    capture();
    drag({100, 50}, {140, 80}, {140, 80});  // 40 x 30 region, 41 x 31 region image
  }

  // Chooses お楽しみ2 with `act` as what the user does in the dialog.
  void secondEffect(const std::function<void(FakeForm4Window&)>& act) {
    desktop.whileModal = [&](FormWindow& shown) {
      ASSERT_TRUE(app.form4().isLoaded());
      ASSERT_EQ(&shown, &app.form4().window());
      act(dynamic_cast<FakeForm4Window&>(shown));
    };
    form2().hatena_click(2);
    desktop.whileModal = nullptr;
  }

  std::vector<std::uint32_t> regionImage() { return testing::coloursOf(window().Picture1.image()); }

  // Every region cell is the algorithm's rule of its screen pixel and F; the extra column and
  // row are F.
  void expectEffect(std::int16_t algorithm, std::uint32_t fill) {
    for (std::int32_t j = 0; j <= 30; ++j) {
      for (std::int32_t i = 0; i <= 40; ++i) {
        const std::uint32_t expected =
            i == 40 || j == 30
                ? fill
                : testing::surpriseRule(algorithm, screenColour(101 + i, 51 + j), fill);
        ASSERT_EQ(pixelOf(window().Picture1, i, j), expected) << i << "," << j;
      }
    }
    EXPECT_EQ(window().Picture1.backColor().value(), fill);
  }
};

TEST_F(Form4Test, FirstShowingOpensAtFiftyWithOptionOneCentredOnThePrimaryMonitor) {
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{1024, 0, 1280, 1024}, true}};
  secondEffect([&](FakeForm4Window& dialog) {
    EXPECT_EQ(dialog.frame, (Rect{1504, 368, 320, 288}));  // 320 x 288 pixels
    EXPECT_TRUE(dialog.shown);
    for (ScrollBar* bar : {&dialog.RScroll1(), &dialog.GScroll1(), &dialog.BScroll1()})
      EXPECT_EQ(bar->value(), 50);
    for (Label* label : {&dialog.RLabel(), &dialog.GLabel(), &dialog.BLabel()})
      EXPECT_EQ(label->caption(), " 50");
    EXPECT_EQ(dialog.RPicture1().backColor().value(), 50U);
    EXPECT_EQ(dialog.GPicture1().backColor().value(), 50U * 256U);
    EXPECT_EQ(dialog.BPicture1().backColor().value(), 50U * 65536U);
    EXPECT_TRUE(dialog.Option(1).value());
    dialog.clickCancel();
  });
  EXPECT_TRUE(module1().CustomCancelled);
}

TEST_F(Form4Test, ACaptureWhileTheDialogIsUpBringsItForwardInstead) {
  secondEffect([&](FakeForm4Window& dialog) {
    paintScreen(0x0F0F0F);
    desktop.calls.clear();
    app.form1().StartCap_Click();
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"bringModalWindowForward"}));
    EXPECT_EQ(Colour::fromPixel(window().image.row(5)[6]).value(), screenColour(6, 5));
    dialog.clickCancel();
  });
  app.form1().StartCap_Click();  // after the dialog: a capture as ever
  EXPECT_EQ(Colour::fromPixel(window().image.row(5)[6]).value(), screenColour(6, 5) ^ 0x0F0F0FU);
}

TEST_F(Form4Test, ADragThenCancelKeepsThePositionForTheNextShowingOnly) {
  module1().CustomR = 7;
  module1().CustomColorText = " 7";
  const std::vector<std::uint32_t> before = regionImage();
  module1().ImageChanged = false;
  secondEffect([&](FakeForm4Window& dialog) {
    dialog.RScroll1().dragThumb(200);
    EXPECT_EQ(dialog.RLabel().caption(), " 200");
    EXPECT_EQ(dialog.RPicture1().backColor().value(), 200U);
    EXPECT_EQ(module1().SliderR, 200);
    dialog.clickCancel();
  });
  // Cancelled: the region image, its background and ImageChanged are as they were.
  EXPECT_EQ(regionImage(), before);
  EXPECT_EQ(window().Picture1.backColor().value(), Colour::kWindowBackground);
  EXPECT_FALSE(module1().ImageChanged);
  EXPECT_EQ(module1().CustomR, 7);
  EXPECT_EQ(module1().CustomColorText, " 7");
  EXPECT_FALSE(app.form4().isLoaded());  // destroyed
  EXPECT_EQ(desktop.unloadedWindows(), 1U);
  secondEffect([&](FakeForm4Window& dialog) {
    EXPECT_EQ(dialog.RScroll1().value(), 200);
    EXPECT_EQ(dialog.RLabel().caption(), " 200");
    EXPECT_EQ(dialog.RPicture1().backColor().value(), 200U);
    EXPECT_FALSE(module1().CustomCancelled);  // reset at opening
    dialog.clickCancel();
  });
}

TEST_F(Form4Test, OkTakesTheBarsValuesAndOnlyADragIsKeptForTheNextShowing) {
  secondEffect([&](FakeForm4Window& dialog) {
    dialog.RScroll1().setValue(255);  // by an arrow or the track: no drag
    dialog.GScroll1().setValue(67);
    dialog.clickOk();
  });
  EXPECT_EQ(module1().CustomG, 67);
  // Red in the low byte.
  EXPECT_EQ(module1().CustomColorText, " " + std::to_string(255 + 67 * 256 + 50 * 65536));
  secondEffect([&](FakeForm4Window& dialog) {
    EXPECT_EQ(dialog.RScroll1().value(), 50);  // the last dragged position
    EXPECT_EQ(dialog.GScroll1().value(), 50);
    dialog.clickCancel();
  });
}

TEST_F(Form4Test, OkStoresTheColourTextAndOptionAndTheEffectUsesThem) {
  secondEffect([&](FakeForm4Window& dialog) {
    for (FakeScrollBar* bar : {&dialog.RScroll1(), &dialog.GScroll1(), &dialog.BScroll1()})
      bar->dragThumb(255);
    dialog.Option(6).setValue(true);  // "６"
    dialog.clickOk();
  });
  EXPECT_EQ(module1().CustomColorText, " 16777215");
  EXPECT_EQ(module1().CustomAlgorithm, 5);
  EXPECT_EQ(module1().CustomOption, 6);
  EXPECT_FALSE(module1().CustomCancelled);
  EXPECT_TRUE(module1().ImageChanged);
  expectEffect(5, 0xFFFFFF);  // "６" on white: white everywhere
  // "３" on white is the negative; running it twice gives the same image.
  for (int run = 0; run < 2; ++run) {
    secondEffect([&](FakeForm4Window& dialog) {
      EXPECT_TRUE(dialog.Option(run == 0 ? 6 : 3).value());  // the last OK's option
      dialog.Option(3).setValue(true);
      EXPECT_FALSE(dialog.Option(6).value());  // one option of the group at a time
      dialog.clickOk();
    });
    expectEffect(2, 0xFFFFFF);
  }
  // Reloading the clipping window resets the bars and the option, not the confirmed colour.
  form2().EndClip_Click();
  capture();
  EXPECT_EQ(module1().SliderR, 50);
  EXPECT_EQ(module1().CustomOption, 1);
  EXPECT_EQ(module1().CustomColorText, " 16777215");
  EXPECT_EQ(module1().CustomAlgorithm, 2);
}

TEST_F(Form4Test, TheCloseButtonStoresNothingAndUsesWhatWasStoredBefore) {
  // Before any OK nothing was confirmed: the showing counts as a Cancel.
  const std::vector<std::uint32_t> before = regionImage();
  secondEffect([](FakeForm4Window& dialog) { dialog.close(); });
  EXPECT_FALSE(module1().CustomCancelled);
  EXPECT_FALSE(app.form4().isLoaded());
  EXPECT_EQ(regionImage(), before);
  EXPECT_FALSE(module1().ImageChanged);
  // After an OK, the first effect draws an operation; the close then uses that operation with
  // the colour of the last OK.
  secondEffect([&](FakeForm4Window& dialog) {
    dialog.RScroll1().dragThumb(10);
    dialog.clickOk();
  });
  form2().hatena_click(1);
  const std::int16_t drawn = module1().CustomAlgorithm;
  secondEffect([](FakeForm4Window& dialog) {
    dialog.BScroll1().dragThumb(200);  // not confirmed
    dialog.close();
  });
  expectEffect(drawn, 10 + 50 * 256 + 50 * 65536);
}

TEST_F(Form4Test, FirstEffectDrawsAColourAndAnOperationAndAppliesThem) {
  std::array<int, 5> seen{};
  for (int run = 0; run < 60; ++run) {
    form2().hatena_click(1);
    const std::int16_t algorithm = module1().CustomAlgorithm;
    ++seen.at(static_cast<std::size_t>(algorithm));
    expectEffect(algorithm, window().Picture1.backColor().value());
    EXPECT_TRUE(module1().ImageChanged);
  }
  EXPECT_GE(std::count_if(seen.begin(), seen.end(), [](int n) { return n > 0; }), 4);
}

TEST_F(Form4Test, EndingTheProgramWhileTheDialogIsOpenAppliesNothingAfterIt) {
  secondEffect([&](FakeForm4Window& dialog) {
    dialog.RScroll1().dragThumb(120);
    dialog.clickOk();
  });
  module1().ImageChanged = false;
  // ＫＥＰＡＫＥＰＡの終了 (a termination signal takes the same way) while the next showing is up.
  secondEffect([&](FakeForm4Window&) { app.form1().ExitKepa_Click(); });
  EXPECT_EQ(desktop.exitCode, 0);
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_FALSE(app.form4().isLoaded());
  // Nothing ran after the exit: no effect, and no clipping window loaded again for one.
  EXPECT_FALSE(form2().isLoaded());
  EXPECT_FALSE(module1().ImageChanged);
}

}  // namespace
}  // namespace kepa
