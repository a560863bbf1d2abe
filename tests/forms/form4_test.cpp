// The custom settings dialog and the surprise effects on a FakeDesktop, the user's actions in
// the dialog played while it is shown modally.
#include <QFontMetrics>
#include <QPointer>

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
  void secondEffect(const std::function<void(Form4Window&)>& act) {
    desktop.whileModal = [&](QWidget& shown) {
      ASSERT_TRUE(app.form4().isLoaded());
      ASSERT_EQ(&shown, &app.form4().window());
      act(app.form4().window());
    };
    form2().hatena_click(2);
    desktop.whileModal = nullptr;
  }

  // A drag of the bar's thumb to `position`.
  static void dragThumb(QScrollBar* bar, int position) {
    bar->setSliderDown(true);
    for (int v = bar->value(); v != position; v += position > v ? 1 : -1)
      bar->setSliderPosition(v + (position > v ? 1 : -1));
    bar->setSliderDown(false);
  }

  std::vector<std::uint32_t> regionImage() {
    std::vector<std::uint32_t> colours;
    for (std::int32_t y = 0; y < window().Picture1.height(); ++y)
      for (std::int32_t x = 0; x < window().Picture1.width(); ++x)
        colours.push_back(pixelOf(window().Picture1, x, y));
    return colours;
  }

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

TEST_F(Form4Test, FirstShowingOpensAtFiftyWithOptionOneAndItsLayout) {
  secondEffect([&](Form4Window& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("カスタム設定"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    for (QScrollBar* bar : {dialog.RScroll1, dialog.GScroll1, dialog.BScroll1}) {
      EXPECT_EQ(bar->value(), 50);
      EXPECT_EQ(bar->maximum(), 255);
      EXPECT_EQ(bar->minimum(), 0);
      EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    }
    for (QLabel* label : {dialog.RLabel, dialog.GLabel, dialog.BLabel})
      EXPECT_EQ(label->text(), QStringLiteral(" 50"));
    EXPECT_EQ(dialog.RPicture1->backColor().value(), 50U);
    EXPECT_EQ(dialog.GPicture1->backColor().value(), 50U * 256U);
    EXPECT_EQ(dialog.BPicture1->backColor().value(), 50U * 65536U);
    EXPECT_TRUE(dialog.Option[0]->isChecked());
    const QString texts[] = {dialog.Label1->text(),   dialog.Label3->text(),
                             dialog.Frame1->title(),  dialog.DigitLabel[5]->text(),
                             dialog.Command1->text(), dialog.Command2->text()};
    EXPECT_EQ(QStringList(std::begin(texts), std::end(texts)).join('|'),
              QStringLiteral("ＲED値|ＢＵＬＥ値|アルゴリズム|６|ＯＫ|Ｃａｎｃｅｌ"));
    EXPECT_EQ(dialog.Label1->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_DOUBLE_EQ(dialog.Label1->font().pointSizeF(), 11.25);
    EXPECT_TRUE(dialog.Label1->font().bold());
    EXPECT_FALSE(dialog.RLabel->font().bold());
    EXPECT_EQ(dialog.BPicture1->geometry(), QRect(112, 128, 33, 33));
    for (int k = 0; k < 6; ++k) {
      const auto at = static_cast<std::size_t>(k);
      EXPECT_EQ(dialog.Option[at]->geometry(), QRect(8 + 40 * k, 24, 17, 17));
      EXPECT_EQ(dialog.DigitLabel[at]->geometry(), QRect(24 + 40 * k, 24, 17, 17));
    }
    for (QPushButton* button : {dialog.Command1, dialog.Command2}) {
      EXPECT_EQ(button->size(), QSize(57, 25));
      EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), 57 - 6);
    }
    dialog.Command2->click();
  });
  EXPECT_TRUE(module1().CustomCancelled);
}

TEST_F(Form4Test, LayoutScalesAndTheDialogOpensCentredOnThePrimaryMonitor) {
  desktop.monitorLayout = {{{0, 0, 1024, 768}, false}, {{1024, 0, 1280, 1024}, true}};
  const struct {
    float twipsPerPixel;
    QSize size;
    QRect frame1, rScroll1;
    QPoint at;
  } cases[] = {
      {15.0F, {320, 288}, {8, 192, 249, 57}, {0, 40, 313, 17}, {1504, 368}},
      {12.0F, {400, 360}, {10, 240, 311, 71}, {0, 50, 391, 21}, {1464, 332}},
      {10.0F, {480, 432}, {12, 288, 374, 86}, {0, 60, 470, 26}, {1424, 296}},
      {7.5F, {640, 576}, {16, 384, 498, 114}, {0, 80, 626, 34}, {1344, 224}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.twipsPerPixel);
    desktop.twipsPerPixel = c.twipsPerPixel;
    secondEffect([&](Form4Window& dialog) {
      EXPECT_EQ(dialog.size(), c.size);
      EXPECT_EQ(dialog.Frame1->geometry(), c.frame1);
      EXPECT_EQ(dialog.RScroll1->geometry(), c.rScroll1);
      EXPECT_EQ(dialog.pos(), c.at);
      dialog.Command2->click();
    });
  }
}

TEST_F(Form4Test, ACaptureWhileTheDialogIsUpBringsItForwardInstead) {
  secondEffect([&](Form4Window& dialog) {
    paintScreen(0x0F0F0F);
    desktop.calls.clear();
    app.form1().StartCap_Click();
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"bringModalWindowForward"}));
    EXPECT_EQ(Colour::fromPixel(window().image.row(5)[6]).value(), screenColour(6, 5));
    dialog.Command2->click();
  });
  app.form1().StartCap_Click();  // after the dialog: a capture as ever
  EXPECT_EQ(Colour::fromPixel(window().image.row(5)[6]).value(), screenColour(6, 5) ^ 0x0F0F0FU);
}

TEST_F(Form4Test, ADragThenCancelKeepsThePositionForTheNextShowingOnly) {
  module1().CustomR = 7;
  module1().CustomColorText = " 7";
  const std::vector<std::uint32_t> before = regionImage();
  module1().ImageChanged = false;
  QPointer<Form4Window> first;
  secondEffect([&](Form4Window& dialog) {
    first = &dialog;
    dragThumb(dialog.RScroll1, 200);
    EXPECT_EQ(dialog.RLabel->text(), QStringLiteral(" 200"));
    EXPECT_EQ(dialog.RPicture1->backColor().value(), 200U);
    EXPECT_EQ(module1().SliderR, 200);
    dialog.Command2->click();
  });
  // Cancelled: the region image, its background and ImageChanged are as they were.
  EXPECT_EQ(regionImage(), before);
  EXPECT_EQ(window().Picture1.backColor().value(), Colour::kWindowBackground);
  EXPECT_FALSE(module1().ImageChanged);
  EXPECT_EQ(module1().CustomR, 7);
  EXPECT_EQ(module1().CustomColorText, " 7");
  EXPECT_FALSE(app.form4().isLoaded());  // destroyed
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  secondEffect([&](Form4Window& dialog) {
    EXPECT_EQ(dialog.RScroll1->value(), 200);
    EXPECT_EQ(dialog.RLabel->text(), QStringLiteral(" 200"));
    EXPECT_EQ(dialog.RPicture1->backColor().value(), 200U);
    EXPECT_FALSE(module1().CustomCancelled);  // reset at opening
    dialog.Command2->click();
  });
}

TEST_F(Form4Test, ArrowsAndTrackMoveTheStoredValueButNotTheSwatchLabelOrSharedValue) {
  secondEffect([&](Form4Window& dialog) {
    dialog.GScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // an arrow
    dialog.GScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);    // the track
    EXPECT_GT(dialog.GScroll1->value(), 51);
    EXPECT_EQ(dialog.GLabel->text(), QStringLiteral(" 50"));
    EXPECT_EQ(dialog.GPicture1->backColor().value(), 50U * 256U);
    EXPECT_EQ(module1().SliderG, 50);
    dialog.Command1->click();
  });
  EXPECT_EQ(module1().CustomG, 50 + 1 + 16);
  EXPECT_EQ(module1().CustomColorText, " " + std::to_string(50 + 67 * 256 + 50 * 65536));
  secondEffect([&](Form4Window& dialog) {
    EXPECT_EQ(dialog.GScroll1->value(), 50);  // the last dragged position
    dialog.Command2->click();
  });
}

TEST_F(Form4Test, OkStoresTheColourTextAndOptionAndTheEffectUsesThem) {
  secondEffect([&](Form4Window& dialog) {
    for (QScrollBar* bar : {dialog.RScroll1, dialog.GScroll1, dialog.BScroll1})
      dragThumb(bar, 255);
    dialog.Option[5]->setChecked(true);  // "６"
    dialog.Command1->click();
  });
  EXPECT_EQ(module1().CustomColorText, " 16777215");
  EXPECT_EQ(module1().CustomAlgorithm, 5);
  EXPECT_EQ(module1().CustomOption, 6);
  EXPECT_FALSE(module1().CustomCancelled);
  EXPECT_TRUE(module1().ImageChanged);
  expectEffect(5, 0xFFFFFF);  // "６" on white: white everywhere
  // "３" on white is the negative; running it twice gives the same image.
  for (int run = 0; run < 2; ++run) {
    secondEffect([&](Form4Window& dialog) {
      EXPECT_TRUE(dialog.Option[run == 0 ? 5U : 2U]->isChecked());  // the last OK's option
      dialog.Option[2]->setChecked(true);
      dialog.Command1->click();
    });
    expectEffect(2, 0xFFFFFF);
  }
  // Red in the low byte.
  secondEffect([&](Form4Window& dialog) {
    dragThumb(dialog.GScroll1, 50);
    dragThumb(dialog.BScroll1, 50);
    dialog.Command1->click();
  });
  EXPECT_EQ(module1().CustomColorText, " " + std::to_string(255 + 50 * 256 + 50 * 65536));
  // Reloading the clipping window resets the bars and the option, not the confirmed colour.
  form2().EndClip_Click();
  capture();
  EXPECT_EQ(module1().SliderR, 50);
  EXPECT_EQ(module1().CustomOption, 1);
  EXPECT_EQ(module1().CustomColorText, " " + std::to_string(255 + 50 * 256 + 50 * 65536));
  EXPECT_EQ(module1().CustomAlgorithm, 2);
}

TEST_F(Form4Test, TheCloseButtonStoresNothingAndUsesWhatWasStoredBefore) {
  // Before any OK nothing was confirmed: the showing counts as a Cancel.
  const std::vector<std::uint32_t> before = regionImage();
  secondEffect([](Form4Window& dialog) { dialog.close(); });
  EXPECT_FALSE(module1().CustomCancelled);
  EXPECT_FALSE(app.form4().isLoaded());
  EXPECT_EQ(regionImage(), before);
  EXPECT_FALSE(module1().ImageChanged);
  // After an OK, the first effect draws an operation; the close then uses that operation with
  // the colour of the last OK.
  secondEffect([&](Form4Window& dialog) {
    dragThumb(dialog.RScroll1, 10);
    dialog.Command1->click();
  });
  form2().hatena_click(1);
  const std::int16_t drawn = module1().CustomAlgorithm;
  secondEffect([](Form4Window& dialog) {
    dragThumb(dialog.BScroll1, 200);  // not confirmed
    dialog.close();
  });
  expectEffect(drawn, 10 + 50 * 256 + 50 * 65536);
}

TEST_F(Form4Test, FirstEffectDrawsAColourAndAnOperationAndAppliesThem) {
  std::array<int, 6> seen{};
  for (int run = 0; run < 60; ++run) {
    form2().hatena_click(1);
    const std::int16_t algorithm = module1().CustomAlgorithm;
    ASSERT_GE(algorithm, 0);
    ASSERT_LE(algorithm, 4);
    ++seen[static_cast<std::size_t>(algorithm)];
    const std::uint32_t fill = window().Picture1.backColor().value();
    ASSERT_LE(fill, 16777214U);
    expectEffect(algorithm, fill);
    EXPECT_TRUE(module1().ImageChanged);
  }
  EXPECT_GE(std::count_if(seen.begin(), seen.end(), [](int n) { return n > 0; }), 4);
}

TEST_F(Form4Test, EndingTheProgramWhileTheDialogIsOpenAppliesNothingAfterIt) {
  secondEffect([&](Form4Window& dialog) {
    dragThumb(dialog.RScroll1, 120);
    dialog.Command1->click();
  });
  module1().ImageChanged = false;
  // ＫＥＰＡＫＥＰＡの終了 (a termination signal takes the same way) while the next showing is up.
  secondEffect([&](Form4Window&) { app.form1().ExitKepa_Click(); });
  EXPECT_EQ(desktop.exitCode, 0);
  EXPECT_FALSE(desktop.icon.has_value());
  EXPECT_FALSE(app.form4().isLoaded());
  // Nothing ran after the exit: no effect, and no clipping window loaded again for one.
  EXPECT_FALSE(form2().isLoaded());
  EXPECT_FALSE(module1().ImageChanged);
}

}  // namespace
}  // namespace kepa
