// Seeded random sequences of handler calls and mouse events on a FakeDesktop, with the
// rules checked after every step. A bounded run is part of the suite (and of the sanitizer
// build, which catches any read or write outside a surface); a long one is
//   KEPA_RANDOM_EVENTS=100000 build/default/tests/forms/kepa_forms_tests
//   --gtest_filter='RandomEvents.*'
#include <cstdlib>
#include <filesystem>
#include <random>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "clipping_fixture.h"

namespace kepa {
namespace {

int eventCount() {
  const char* asked = std::getenv("KEPA_RANDOM_EVENTS");
  return asked != nullptr ? std::max(1, std::atoi(asked)) : 1500;
}

class RandomEvents : public testing::ClippingTest {
 protected:
  void SetUp() override {
    ClippingTest::SetUp();
    folder = std::filesystem::temp_directory_path() / ("kepa-random-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    desktop.appPath = folder.string();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // A coordinate anywhere on the screen, near its edges, or far outside it: as far as an X11
  // event can carry one (16 bits).
  float coordinate(std::int32_t limit) {
    switch (random() % 4) {
      case 0:
        return static_cast<float>(static_cast<std::int32_t>(random() % 65536) - 32768);
      case 1:
        return static_cast<float>(static_cast<std::int32_t>(random() % 9) - 4 +
                                  (random() % 2 == 0 ? 0 : limit));
      default:
        return static_cast<float>(random() % static_cast<unsigned>(limit)) +
               (random() % 3 == 0 ? 0.5F : 0.0F);
    }
  }

  // What the rules say Picture1's size is after each step, kept alongside the program.
  struct Expected {
    std::int32_t width = 121;
    std::int32_t height = 89;
  };

  void step() {
    const bool loaded = form2().isLoaded();
    const int action = static_cast<int>(random() % 26);
    const float x = coordinate(1024);
    const float y = coordinate(768);
    // The pointer itself is always somewhere on the screen.
    desktop.cursor = {static_cast<std::int32_t>(std::clamp(x, 0.0F, 1023.0F)),
                      static_cast<std::int32_t>(std::clamp(y, 0.0F, 767.0F))};
    const int button = static_cast<int>(random() % 8);
    switch (action) {
      case 0:
        if (!loaded) expected = {};
        app.form1().StartCap_Click();
        break;
      case 1:
        form2().Form_MouseDown(button, 0, x, y);
        break;
      case 2:
      case 3: {
        // A drag's moves stay near the screen, where the pointer is: the frame's size (which
        // the mosaic and restore use) then stays within what a screen can show.
        const float nearX = std::clamp(x, -500.0F, 1524.0F);
        const float nearY = std::clamp(y, -500.0F, 1268.0F);
        form2().Form_MouseMove(button, 0, nearX, nearY);
        break;
      }
      case 4: {
        const Point start{module1().SelStartX, module1().SelStartY};
        form2().Form_MouseUp(button, 0, x, y);
        if (button == 1) {
          const std::int64_t dx = std::int64_t{desktop.cursor.x} - start.x;
          const std::int64_t dy = std::int64_t{desktop.cursor.y} - start.y;
          expected = dx > 0 && dy > 0 ? Expected{static_cast<std::int32_t>(dx + 1),
                                                 static_cast<std::int32_t>(dy + 1)}
                                      : Expected{0, 0};
          if (dx > 0 && dy > 0) checkRegionCells();
        }
        break;
      }
      case 5:
        form2().RGBch_Click(static_cast<std::int16_t>(static_cast<int>(random() % 6) - 1));
        break;
      case 6:
        form2().Nega_Click();
        break;
      case 7:
        form2().Gray_Click();
        break;
      case 8:
        form2().Sepia_Click();
        break;
      case 9: {
        const std::int16_t levels[] = {3, 5, 9, 11};
        const std::int16_t n = levels[random() % 4];
        form2().mozalv_click(n);
        expected = {(form2().SelWidth + 1) / n * n, (form2().SelHeight + 1) / n * n};
        break;
      }
      case 10:
        form2().hatena_click(1);
        break;
      case 11: {
        const int answer = static_cast<int>(random() % 3);
        desktop.whileModal = [answer](QWidget& shown) {
          auto& dialog = static_cast<Form4Window&>(shown);
          if (answer == 0) dialog.Command1->click();
          if (answer == 1) dialog.Command2->click();
          if (answer == 2) dialog.close();
        };
        form2().hatena_click(2);
        desktop.whileModal = nullptr;
        break;
      }
      case 12:
        desktop.saveAnswers.push_back(
            random() % 2 == 0 ? std::optional<std::string>()
                              : std::optional<std::string>((folder / "r.bmp").string()));
        form2().SavePic_Click();
        break;
      case 13:
        form2().SaveClip_Click();
        break;
      case 14:
        form2().hyouji_Click();
        break;
      case 15:
        form2().BackPi_click();
        expected = {form2().SelWidth + 1, form2().SelHeight + 1};
        break;
      case 16:
        form2().GZoom_Click();
        break;
      case 17:
      case 18:
        app.form3().Timer1_Timer();
        break;
      case 19:
        app.form3().Form_MouseMove(button, 0, x, y);
        break;
      case 20:
        form2().picture1_click();
        break;
      case 21:
        form2().Form_DragDrop(x, y);
        break;
      case 22:
        form2().EndClip_Click();
        expected = {};
        break;
      case 23:
        form2().Unload();
        expected = {};
        break;
      case 24:
        app.form3().Unload();
        break;
      default:
        form2().Form_MouseDown(2, 0, x, y);  // the clipping menu, dismissed
        break;
    }
    if (random() % 16 == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    checkInvariants();
  }

  // Right after a selection, every region cell is the pixel of the window's image beneath it
  // and the extra column and row are in the background colour.
  void checkRegionCells() {
    const Picture& image = window().Picture1;
    const Colour background = image.backColor().resolved();
    for (std::int32_t j = 0; j < image.height(); j += std::max(1, image.height() / 7)) {
      for (std::int32_t i = 0; i < image.width(); i += std::max(1, image.width() / 7)) {
        const std::int64_t sx = std::int64_t{module1().SelStartX} + 1 + i;
        const std::int64_t sy = std::int64_t{module1().SelStartY} + 1 + j;
        std::uint32_t want = background.value();
        if (i < form2().SelWidth && j < form2().SelHeight) {
          const bool onScreen = sx >= 0 && sy >= 0 && sx < 1024 && sy < 768;
          // The window's captured image (black where a reference loaded it without a capture).
          want = onScreen ? Colour::fromPixel(window().image.row(static_cast<std::int32_t>(
                                                  sy))[static_cast<std::int32_t>(sx)])
                                .value()
                          : 0;
        }
        ASSERT_EQ(pixelOf(image, i, j), want) << "cell " << i << "," << j;
      }
    }
  }

  void checkInvariants() {
    if (form2().isLoaded()) {
      const Picture& image = window().Picture1;
      ASSERT_EQ(image.width(), expected.width);
      ASSERT_EQ(image.height(), expected.height);
      ASSERT_EQ(image.image().width(), expected.width);
      ASSERT_GE(window().Picture2.width(), 0);
    }
    ASSERT_GE(module1().SliderR, 0);
    ASSERT_LE(module1().SliderR, 255);
    ASSERT_GE(module1().CustomAlgorithm, 0);
    ASSERT_LE(module1().CustomAlgorithm, 5);
    ASSERT_GE(module1().CustomOption, 0);
    ASSERT_LE(module1().CustomOption, 6);
    ASSERT_FALSE(desktop.exitCode.has_value());
  }

  std::mt19937 random;
  Expected expected;
  std::filesystem::path folder;
};

TEST_F(RandomEvents, SeededSequencesKeepEveryRule) {
  const int events = eventCount();
  for (const unsigned seed : {1U, 2U, 3U}) {
    random.seed(seed);
    for (int i = 0; i < events; ++i) {
      ASSERT_NO_FATAL_FAILURE(step()) << "seed " << seed << ", event " << i;
    }
  }
}

}  // namespace
}  // namespace kepa
