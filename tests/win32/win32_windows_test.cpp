// The Win32 front end's own rules, under wine with no display (its null graphics driver): the
// windows laid out as designed at 100 % and 200 %, and what their messages do.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/design_pixels.h"
#include "frontends/win32/form3_window.h"
#include "frontends/win32/form4_window.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"
#include "magnifier/form3_design.h"
#include "settings/form4_design.h"

namespace kepa {
namespace {

std::string textOf(HWND window) {
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
  return utf8Of(text);
}

std::string placed(const std::string& text, const Rect& at) {
  return text + " " + std::to_string(at.x) + "," + std::to_string(at.y) + " " +
         std::to_string(at.width) + "x" + std::to_string(at.height);
}

// Each child window as "caption x,y wxh" on its parent's client area, sorted.
std::vector<std::string> childrenOf(HWND parent) {
  std::vector<std::string> found;
  struct Walk {
    HWND parent;
    std::vector<std::string>* found;
  } walk{parent, &found};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        const auto& w = *reinterpret_cast<Walk*>(data);
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, w.parent, reinterpret_cast<POINT*>(&box), 2);
        w.found->push_back(
            placed(textOf(child), {box.left, box.top, box.right - box.left, box.bottom - box.top}));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  std::sort(found.begin(), found.end());
  return found;
}

Rect clientOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {0, 0, client.right, client.bottom};
}

TEST(Win32Layout, TheSettingsDialogsControlsStandAsDesignedAt100And200Percent) {
  for (const float twipsPerPixel : {15.0F, 7.5F}) {
    Form4Window window(twipsPerPixel, twipsPerPixel, {});
    std::vector<std::string> designed;
    for (const Form4ControlDesign& control : form4Design())
      designed.push_back(
          placed(control.caption, designToPixels(control.rect, twipsPerPixel, twipsPerPixel)));
    std::sort(designed.begin(), designed.end());
    EXPECT_EQ(childrenOf(window.hwnd()), designed) << twipsPerPixel;
    EXPECT_EQ(clientOf(window.hwnd()), designToPixels(kForm4Client, twipsPerPixel, twipsPerPixel));
    EXPECT_EQ(textOf(window.hwnd()), kForm4Caption);
  }
}

TEST(Win32Layout, TheMagnifierKeepsItsCaptionAndClientSizeAt100And200Percent) {
  for (const float twipsPerPixel : {15.0F, 7.5F}) {
    Form3Window window(twipsPerPixel, twipsPerPixel, {}, {0, 0});
    EXPECT_EQ(textOf(window.hwnd()), kForm3Caption);
    const Rect client = clientOf(window.hwnd());
    EXPECT_EQ((Point{client.width, client.height}),
              (Point{window.clientImage().width(), window.clientImage().height()}))
        << twipsPerPixel;
  }
}

// The close button and Alt+F4 both arrive as WM_CLOSE: the dialog's code decides, and the
// window stays until it is unloaded.
TEST(Win32Messages, ClosingTheSettingsDialogRunsItsHandlerAndKeepsTheWindow) {
  int closed = 0;
  int ok = 0;
  Form4Face::Handlers handlers;
  handlers.command1 = [&] { ++ok; };
  handlers.closed = [&] { ++closed; };
  Form4Window window(15.0F, 15.0F, std::move(handlers));
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(IsWindow(window.hwnd()));
  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(ok, 1);
}

// A later start of kepa finds the running one by its hidden window and posts its request.
TEST(Win32Messages, ARequestPostedToTheHiddenWindowAsksForACapture) {
  Win32Desktop desktop;
  std::vector<bool> asked;
  desktop.requested = [&](bool capture) { asked.push_back(capture); };
  const HWND running = FindWindowW(Win32Desktop::kOwnerClass, nullptr);
  ASSERT_NE(running, nullptr);
  PostMessageW(running, Win32Desktop::kRequest, 1, 0);
  PostMessageW(running, Win32Desktop::kRequest, 0, 0);
  desktop.DoEvents();
  EXPECT_EQ(asked, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace kepa
