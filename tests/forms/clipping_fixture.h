// The fixture of the clipping window's and the magnifier's forms tests.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "app/app.h"
#include "core/bit_blt.h"
#include "frontends/fake/fake_desktop.h"

namespace kepa::testing {

// The synthetic screen: every pixel distinct and asymmetric in x and y.
inline std::uint32_t screenColour(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>((x & 0xFF) | ((y & 0xFF) << 8) |
                                    (((x >> 8) + 4 * (y >> 8)) << 16));
}

// An App on the fake front end, started, its screen holding screenColour.
class ClippingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    paintScreen(0);
    ASSERT_TRUE(app.start());
  }

  void paintScreen(std::uint32_t mix) {
    for (std::int32_t y = 0; y < desktop.screen.height(); ++y) {
      for (std::int32_t x = 0; x < desktop.screen.width(); ++x) {
        desktop.screen.row(y)[x] = Colour(screenColour(x, y) ^ mix).pixel();
      }
    }
  }

  void capture() {
    desktop.menuChoices.push_back("StartCap");
    desktop.sendIconEvent(WM_RBUTTONDOWN);
  }

  // A left-button drag as the clipping window receives it, the pointer where each event is;
  // released on the window's own surface, or over a window above it.
  void drag(Point from, Point to, Point release, bool onOwnSurface = true) {
    desktop.cursor = from;
    window().mousePressed(1, 0, from);
    desktop.cursor = to;
    window().mouseMoved(1, 0, to);
    desktop.cursor = release;
    window().mouseReleased(1, 0, release, onOwnSurface);
  }

  // The clipping menu popped up by a right press, `choice` (if any) chosen from it.
  const MenuSnapshot& openMenu(const std::string& choice = "") {
    desktop.menuChoices.push_back(choice);
    window().mousePressed(2, 0, {0, 0});
    return desktop.popups.back();
  }

  static const MenuSnapshot& item(const MenuSnapshot& menu, const std::string& name) {
    for (const MenuSnapshot& entry : menu.items) {
      if (entry.name == name) return entry;
    }
    throw std::out_of_range(name);
  }

  long count(const std::string& call) const {
    return std::count(desktop.calls.begin(), desktop.calls.end(), call);
  }
  Form2& form2() { return app.form2(); }
  FakeForm2Window& window() { return dynamic_cast<FakeForm2Window&>(app.form2().window()); }
  FakeForm3Window& magnifier() { return dynamic_cast<FakeForm3Window&>(app.form3().window()); }
  Module1& module1() { return app.module1(); }
  std::uint32_t pixelOf(const Picture& picture, std::int32_t x, std::int32_t y) {
    return static_cast<std::uint32_t>(GetPixel(const_cast<Picture&>(picture).hDC(), x, y));
  }

  FakeDesktop desktop;
  App app{desktop, desktop.windows()};
};

}  // namespace kepa::testing
