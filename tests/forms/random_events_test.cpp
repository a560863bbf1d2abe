// Seeded random handler calls and mouse events, the rules checked after every step (and, in the
// sanitizer build, every read and write); KEPA_RANDOM_EVENTS=100000 asks for a long run.
#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "clipping_fixture.h"

namespace kepa {
namespace {

class RandomEvents : public testing::ClippingTest {
 protected:
  int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

  // A coordinate on the screen, near its edges, or as far outside as X11 carries (16 bits).
  float coordinate(std::int32_t limit) {
    const int kind = below(4);
    if (kind == 0) return static_cast<float>(below(65536) - 32768);
    if (kind == 1) return static_cast<float>(below(9) - 4 + (below(2) == 0 ? 0 : limit));
    return static_cast<float>(below(limit)) + (below(3) == 0 ? 0.5F : 0.0F);
  }

  // The steps, with what the rules say Picture1's size (width, height) is after each.
  void step() {
    const float x = coordinate(1024);
    const float y = coordinate(768);
    // The pointer itself is always somewhere on the screen.
    desktop.cursor = {static_cast<std::int32_t>(std::clamp(x, 0.0F, 1023.0F)),
                      static_cast<std::int32_t>(std::clamp(y, 0.0F, 767.0F))};
    const int button = below(8);
    const std::function<void()> actions[] = {
        [&] {
          if (!form2().isLoaded()) size = kInitial;
          app.form1().StartCap_Click();
        },
        [&] { form2().Form_MouseDown(button, 0, x, y); },
        // A drag's moves stay near the screen, where the pointer is: the frame's size (which
        // the mosaic and restore use) then stays within what a screen can show.
        [&] {
          form2().Form_MouseMove(button, 0, std::clamp(x, -500.0F, 1524.0F),
                                 std::clamp(y, -500.0F, 1268.0F));
        },
        [&] {
          const Point start{module1().SelStartX, module1().SelStartY};
          form2().Form_MouseUp(button, 0, x, y);
          if (button != 1) return;
          const std::int64_t dx = std::int64_t{desktop.cursor.x} - start.x;
          const std::int64_t dy = std::int64_t{desktop.cursor.y} - start.y;
          size = dx > 0 && dy > 0
                     ? Point{static_cast<std::int32_t>(dx + 1), static_cast<std::int32_t>(dy + 1)}
                     : Point{0, 0};
          if (dx > 0 && dy > 0) checkRegionCells();
        },
        [&] { form2().RGBch_Click(static_cast<std::int16_t>(below(6) - 1)); },
        [&] { form2().Nega_Click(); }, [&] { form2().Gray_Click(); },
        [&] { form2().Sepia_Click(); },
        [&] {
          const std::int16_t n = std::array<std::int16_t, 4>{3, 5, 9, 11}[below(4)];
          form2().mozalv_click(n);
          size = {(form2().SelWidth + 1) / n * n, (form2().SelHeight + 1) / n * n};
        },
        [&] { form2().hatena_click(1); },
        [&] {
          const int answer = below(3);
          desktop.whileModal = [answer](FormWindow& shown) {
            auto& dialog = dynamic_cast<FakeForm4Window&>(shown);
            if (answer == 0) dialog.clickOk();
            if (answer == 1) dialog.clickCancel();
            if (answer == 2) dialog.close();
          };
          form2().hatena_click(2);
          desktop.whileModal = nullptr;
        },
        [&] {
          desktop.saveAnswers.push_back(below(2) == 0 ? std::nullopt
                                                      : std::optional<std::string>("/tmp/r.bmp"));
          form2().SavePic_Click();
        },
        [&] { form2().SaveClip_Click(); }, [&] { form2().hyouji_Click(); },
        [&] {
          form2().BackPi_click();
          size = {form2().SelWidth + 1, form2().SelHeight + 1};
        },
        [&] { form2().GZoom_Click(); }, [&] { app.form3().Timer1_Timer(); },
        [&] { app.form3().Form_MouseMove(button, 0, x, y); }, [&] { form2().picture1_click(); },
        [&] { form2().Form_DragDrop(x, y); },
        [&] {
          form2().EndClip_Click();
          size = kInitial;
        },
        [&] {
          form2().Unload();
          size = kInitial;
        },
        [&] { app.form3().Unload(); },
        [&] { form2().Form_MouseDown(2, 0, x, y); },  // the clipping menu, dismissed
    };
    // Presses, moves and ticks come more often than the rest.
    const int weights[] = {1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1};
    int pick = below(26);
    std::size_t action = 0;
    while ((pick -= weights[action]) >= 0)
      ++action;
    actions[action]();
    if (below(16) == 0) desktop.DoEvents();
    if (form2().isLoaded()) {
      const Picture& image = window().Picture1;
      ASSERT_EQ((Point{image.width(), image.height()}), size);
      ASSERT_EQ(image.image().width(), size.x);
      ASSERT_GE(window().Picture2.width(), 0);
    }
    ASSERT_TRUE(module1().SliderR >= 0 && module1().SliderR <= 255);
    ASSERT_TRUE(module1().CustomAlgorithm >= 0 && module1().CustomAlgorithm <= 5);
    ASSERT_TRUE(module1().CustomOption >= 0 && module1().CustomOption <= 6);
    ASSERT_FALSE(desktop.exitCode.has_value());
  }

  // Right after a selection, every region cell is the pixel of the window's image beneath it
  // (black off the screen) and the extra column and row are in the background colour.
  void checkRegionCells() {
    const Picture& image = window().Picture1;
    for (std::int32_t j = 0; j < image.height(); j += std::max(1, image.height() / 7)) {
      for (std::int32_t i = 0; i < image.width(); i += std::max(1, image.width() / 7)) {
        const std::int64_t sx = std::int64_t{module1().SelStartX} + 1 + i;
        const std::int64_t sy = std::int64_t{module1().SelStartY} + 1 + j;
        std::uint32_t want = image.backColor().resolved().value();
        if (i < form2().SelWidth && j < form2().SelHeight) {
          // The window's captured image (black where a reference loaded it without a capture).
          want = sx >= 0 && sy >= 0 && sx < 1024 && sy < 768
                     ? Colour::fromPixel(window().image.row(static_cast<std::int32_t>(
                                             sy))[static_cast<std::int32_t>(sx)])
                           .value()
                     : 0;
        }
        ASSERT_EQ(pixelOf(image, i, j), want) << "cell " << i << "," << j;
      }
    }
  }

  static constexpr Point kInitial{121, 89};
  std::mt19937 random;
  Point size = kInitial;
};

TEST_F(RandomEvents, SeededSequencesKeepEveryRule) {
  const char* asked = std::getenv("KEPA_RANDOM_EVENTS");
  const int events = asked != nullptr ? std::max(1, std::atoi(asked)) : 1500;
  for (const unsigned seed : {1U, 2U, 3U}) {
    random.seed(seed);
    for (int i = 0; i < events; ++i)
      ASSERT_NO_FATAL_FAILURE(step()) << "seed " << seed << ", event " << i;
  }
}

}  // namespace
}  // namespace kepa
