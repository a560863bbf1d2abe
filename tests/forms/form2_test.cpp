// The clipping window on the fake front end: the capture, the selection, the frame, the region
// images and the clipping menu, through the window's own mouse handling.
#include "clip/form2.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "clipping_fixture.h"

namespace kepa {
namespace {

using Form2Test = testing::ClippingTest;
using testing::screenColour;

Rect placeOf(const Picture& picture) {
  return {picture.position().x, picture.position().y, picture.width(), picture.height()};
}

TEST_F(Form2Test, CaptureLoadsTheWindowCopiesTheScreenAndShowsIt) {
  module1().SliderR = 7;
  module1().CustomOption = 4;
  EXPECT_FALSE(form2().isLoaded());
  capture();
  ASSERT_TRUE(form2().isLoaded());
  const Module1& m = module1();  // Form_Load ran
  EXPECT_EQ((std::array{m.SliderR, m.SliderG, m.SliderB, m.CustomOption}),
            (std::array<std::int16_t, 4>{50, 50, 50, 1}));
  EXPECT_TRUE(window().shown);
  EXPECT_EQ(window().frame, (Rect{0, 0, 1024, 768}));
  ASSERT_EQ((Point{window().image.width(), window().image.height()}), (Point{1024, 768}));
  for (std::int32_t y = 0; y < 768; ++y) {
    for (std::int32_t x = 0; x < 1024; ++x)
      ASSERT_EQ(window().image.row(y)[x], Colour(screenColour(x, y)).pixel()) << x << "," << y;
  }
  const auto getDc = std::find(desktop.calls.begin(), desktop.calls.end(), "GetDC");
  ASSERT_NE(getDc, desktop.calls.end());
  EXPECT_NE(std::find(getDc, desktop.calls.end(), "ReleaseDC"), desktop.calls.end());
  // The controls start hidden.
  EXPECT_FALSE(window().Picture1.visible() || window().Picture2.visible());
  EXPECT_FALSE(window().Shape1().visible);
  EXPECT_EQ(window().Picture1.backColor().value(), Colour::kWindowBackground);
  // Picture1 at (2040, 120) twips, 1815 x 1335; Picture2 at (2040, 1680), 1815 x 1215.
  const struct {
    float twipsPerPixel;
    Rect picture1, picture2;
  } places[] = {{15.0F, {136, 8, 121, 89}, {136, 112, 121, 81}},
                {12.0F, {170, 10, 151, 111}, {170, 140, 151, 101}},
                {7.5F, {272, 16, 242, 178}, {272, 224, 242, 162}}};
  for (const auto& p : places) {
    form2().Unload();
    desktop.twipsPerPixel = p.twipsPerPixel;
    capture();
    EXPECT_EQ(placeOf(window().Picture1), p.picture1) << p.twipsPerPixel;
    EXPECT_EQ(placeOf(window().Picture2), p.picture2) << p.twipsPerPixel;
  }
}

// The screen's size comes in pixels: at 175 % (1440 / 168 twips per pixel) a round trip
// through float twips would lose the last column and row.
TEST_F(Form2Test, AtEveryScaleTheFrozenScreenCoversEveryPixel) {
  for (const float twipsPerPixel : {15.0F, 12.0F, 1440.0F / 168, 7.5F}) {
    form2().Unload();
    desktop.twipsPerPixel = twipsPerPixel;
    app.form1().StartCap_Click();
    EXPECT_EQ(window().frame, (Rect{0, 0, 1024, 768})) << twipsPerPixel;
    ASSERT_EQ((Point{window().image.width(), window().image.height()}), (Point{1024, 768}));
    EXPECT_EQ(window().image.row(767)[1023], Colour(screenColour(1023, 767)).pixel());
  }
}

TEST_F(Form2Test, SecondCaptureWhileOpenKeepsTheLoadAndTheSelection) {
  capture();
  drag({100, 100}, {140, 130}, {140, 130});
  module1().SliderR = 7;
  paintScreen(0x0F0F0F);
  capture();
  EXPECT_EQ(module1().SliderR, 7);  // no second Form_Load
  EXPECT_EQ(form2().SelWidth, 40);
  EXPECT_TRUE(window().Shape1().visible);
  EXPECT_EQ(window().image.row(5)[6], Colour(screenColour(6, 5) ^ 0x0F0F0FU).pixel());
  // A monitor plugged in, then one unplugged: each capture takes the new size, keeps the selection.
  for (const Point size : {Point{1536, 768}, Point{800, 600}}) {
    desktop.screen = Surface(size.x, size.y, 0xFF123456U);
    capture();
    EXPECT_EQ(window().frame, (Rect{0, 0, size.x, size.y}));
    EXPECT_EQ(window().image.width(), size.x);
    EXPECT_EQ(window().image.row(size.y - 1)[size.x - 1], 0xFF123456U);
    EXPECT_EQ(form2().SelWidth, 40);
  }
  // After an unload the next capture loads afresh; the module's variables stay.
  form2().Unload();
  capture();
  EXPECT_EQ(module1().SliderR, 50);
  EXPECT_EQ(form2().SelWidth, 40);
  EXPECT_FALSE(window().Shape1().visible);
  // A screen that cannot be read (a desktop that refused it): the user is told why, and the
  // open clipping stays as it was; with none open, none opens.
  const std::uint32_t before = window().image.row(5)[6];
  paintScreen(0x0F0F0F);
  desktop.screenUnreadable = "refused";
  capture();
  EXPECT_EQ(desktop.messages.back(), "KEPA: refused");
  EXPECT_EQ(window().image.row(5)[6], before);
  form2().Unload();
  capture();
  EXPECT_FALSE(form2().isLoaded());
}

TEST_F(Form2Test, TheMiddleButtonDoesNothing) {
  capture();
  desktop.popups.clear();
  window().mousePressed(4, 0, {50, 50});
  window().mouseReleased(4, 0, {50, 50}, true);
  EXPECT_FALSE(module1().SelectActive || window().Shape1().visible);
  EXPECT_TRUE(desktop.popups.empty());
}

TEST_F(Form2Test, APressShowsAZeroFrameAtThePointerThatOnlyTheLeftButtonSizes) {
  capture();
  // The press takes the pointer's position when it is handled, not the event's.
  desktop.cursor = {100, 50};
  window().mousePressed(1, 0, {90, 40});
  EXPECT_EQ((Point{module1().SelStartX, module1().SelStartY}), (Point{100, 50}));
  EXPECT_TRUE(module1().SelectActive);
  EXPECT_EQ(form2().SelColor.value(), 0xFFFFFFU - screenColour(100, 50));
  const FrameShape& frame = window().Shape1();
  EXPECT_TRUE(frame.visible);
  EXPECT_EQ((Rect{frame.left, frame.top, frame.width, frame.height}), (Rect{100, 50, 0, 0}));
  window().mouseMoved(1, 0, {146, 82});
  EXPECT_EQ((Rect{frame.left, frame.top, frame.width, frame.height}), (Rect{100, 50, 47, 33}));
  EXPECT_EQ(frame.borderColor, form2().SelColor);
  window().mouseMoved(2, 0, {300, 300});  // not the left button alone: ignored
  window().mouseMoved(3, 0, {300, 300});
  EXPECT_EQ(frame.width, 47);
}

TEST_F(Form2Test, AReleaseCopiesTheRegionWithAColumnAndARowOfBackground) {
  capture();
  drag({100, 50}, {146, 82}, {147, 83});
  EXPECT_EQ(form2().SelWidth, 47);
  EXPECT_EQ(form2().SelHeight, 33);
  for (const Picture* picture : {&window().Picture1, &window().Picture2}) {
    ASSERT_EQ((Point{picture->width(), picture->height()}), (Point{48, 34}));
    for (std::int32_t j = 0; j < 34; ++j) {
      for (std::int32_t i = 0; i < 48; ++i) {
        // Cells from (SelStartX + 1, SelStartY + 1); the last column and row the background.
        const std::uint32_t expected = i < 47 && j < 33 ? screenColour(101 + i, 51 + j) : 0xFFFFFFU;
        ASSERT_EQ(pixelOf(*picture, i, j), expected) << i << "," << j;
      }
    }
  }
  const FrameShape& frame = window().Shape1();
  EXPECT_FALSE(window().Picture1.visible());
  EXPECT_TRUE(frame.visible);
  EXPECT_EQ(frame.width, 47);  // the last move's size
  EXPECT_TRUE(module1().SelectActive);
}

TEST_F(Form2Test, ASecondPressMovesTheFrameWhichKeepsItsColourUntilTheFirstMove) {
  capture();
  drag({100, 50}, {146, 82}, {147, 83});
  const FrameShape& frame = window().Shape1();
  const Colour first = frame.borderColor;
  desktop.cursor = {10, 20};
  window().mousePressed(1, 0, {10, 20});
  EXPECT_EQ((Rect{frame.left, frame.top, frame.width, frame.height}), (Rect{10, 20, 0, 0}));
  EXPECT_EQ(frame.borderColor, first);
  // The region comes from the release point; the frame keeps the last move's size.
  drag({10, 20}, {60, 40}, {30, 80});
  EXPECT_EQ(frame.borderColor.value(), 0xFFFFFFU - screenColour(10, 20));
  EXPECT_EQ((Point{form2().SelWidth, form2().SelHeight}), (Point{20, 60}));
  EXPECT_EQ(placeOf(window().Picture1), (Rect{136, 8, 21, 61}));
  EXPECT_EQ((Point{window().Shape1().width, window().Shape1().height}), (Point{51, 21}));
}

TEST_F(Form2Test, TheSmallestSelectionIsThePixelReleasedOn) {
  capture();
  drag({10, 20}, {11, 21}, {11, 21});
  EXPECT_EQ(window().Picture1.width(), 2);
  EXPECT_EQ(pixelOf(window().Picture1, 0, 0), screenColour(11, 21));
  EXPECT_EQ(pixelOf(window().Picture1, 1, 1), 0xFFFFFFU);
}

TEST_F(Form2Test, EmptySelectionsClearEverythingButPicture2) {
  capture();
  drag({200, 200}, {230, 220}, {230, 220});  // a selection of 30 x 20
  const std::uint32_t kept = pixelOf(window().Picture2, 3, 4);
  window().changePicture1([](Picture& picture) { picture.setVisible(true); });
  // A click without movement, a drag to the left, a drag upwards.
  for (const Point to : {Point{300, 300}, Point{250, 350}, Point{350, 250}}) {
    module1().ImageChanged = true;
    drag({300, 300}, to, to);
    EXPECT_EQ((Point{form2().SelWidth, form2().SelHeight}), (Point{0, 0}));
    EXPECT_FALSE(window().Shape1().visible || window().Picture1.visible());
    EXPECT_FALSE(module1().ImageChanged || module1().SelectActive);
    EXPECT_EQ((Point{window().Picture1.width(), window().Picture1.height()}), (Point{0, 0}));
    EXPECT_EQ(window().Picture2.width(), 31);
    EXPECT_EQ(pixelOf(window().Picture2, 3, 4), kept);
  }
}

// The clipping menu as it pops up: each item (indented by level, with its index) with its
// state: e enabled, c checked.
class ClipMenuTest : public Form2Test {
 protected:
  std::string items() {
    const MenuSnapshot& menu = openMenu();
    EXPECT_EQ(menu.caption, "クリッピングメニュ－");
    std::string flat = "|";
    const std::function<void(const MenuSnapshot&, const std::string&)> walk =
        [&](const MenuSnapshot& at, const std::string& indent) {
          for (const MenuSnapshot& entry : at.items) {
            flat.append(indent).append(entry.name);
            if (entry.index >= 0) flat.append("(").append(std::to_string(entry.index)).append(")");
            flat.append(" ").append(entry.caption).append(entry.enabled ? " e" : "");
            flat.append(entry.checked ? " c|" : "|");
            walk(entry, indent + " ");
          }
        };
    walk(menu, "");
    return flat;
  }
};

TEST_F(ClipMenuTest, BeforeASelectionOnlyTheEffectsMagnifierViewUndoAndEndAreEnabled) {
  module1().ImageChanged = true;  // left over from an earlier clipping
  capture();
  EXPECT_FALSE(app.form3().isLoaded());
  EXPECT_EQ(items(),
            "|SavePic 名前を付けて保存|kugiri1 - e|SaveClip クリップボ－ド格納|kugiri2 - e|"
            "GOption 領域カラ－オプション| RGBch(1) レッドスケ－ル変換 e|"
            " RGBch(2) グリ－ンスケ－ル変換 e| RGBch(3) ブル－スケ－ル変換 e| Nega ネガポジ反転 e|"
            " Gray グレ－スケ－ル変換 e| Sepia セピア変換 e|kugiri3 - e|Efect 領域エフェクト|"
            " Moza モザイク e|  Mozalv(3) レベル３ e|  Mozalv(5) レベル５ e|"
            "  Mozalv(9) レベル９ e|  Mozalv(11) レベル１１ e| hatena(1) お楽しみ1 e|"
            " hatena(2) お楽しみ2 e|kugiri4 - e|GZoom 虫眼鏡 e|kugiri5 - e|"
            "hyouji 変更後の画像表示 e|kugiri6 - e|BackPi 元に戻す e|kugiri7 - e|"
            "EndClip クリッピング終了 e|");
  // Asking whether the magnifier is visible loaded it, hidden.
  ASSERT_TRUE(app.form3().isLoaded());
  EXPECT_FALSE(magnifier().shown);
}

TEST_F(ClipMenuTest, AfterASelectionWithTheImageShownAndTheMagnifierUpTheirItemsAreChecked) {
  capture();
  drag({10, 10}, {50, 50}, {50, 50});
  module1().ImageChanged = false;
  window().changePicture1([](Picture& picture) { picture.setVisible(true); });
  magnifier().shown = true;
  const std::string after = items();
  for (const char* line :
       {"|SavePic 名前を付けて保存 e|", "|SaveClip クリップボ－ド格納 e|",
        "|GOption 領域カラ－オプション e|", "|Efect 領域エフェクト e|", "|GZoom 虫眼鏡 e c|",
        "|hyouji 変更後の画像表示 e c|", "|BackPi 元に戻す|", "|EndClip クリッピング終了 e|"})
    EXPECT_NE(after.find(line), std::string::npos) << line;
}

TEST_F(ClipMenuTest, AnEmptySelectionDisablesTheRegionsItemsAgain) {
  capture();
  drag({10, 10}, {50, 50}, {50, 50});
  window().changePicture1([](Picture& picture) { picture.setVisible(true); });
  drag({10, 10}, {10, 10}, {10, 10});
  EXPECT_EQ(item(openMenu(), "SavePic").enabled, false);
  EXPECT_EQ(item(openMenu(), "hyouji").checked, false);
}

TEST_F(Form2Test, EndingTheClippingClosesBothWindowsAndKeepsTheModule) {
  capture();
  drag({10, 10}, {50, 40}, {50, 40});
  module1().ImageChanged = true;
  openMenu();  // loads the magnifier, hidden
  openMenu("EndClip");
  EXPECT_FALSE(form2().isLoaded() || app.form3().isLoaded());
  EXPECT_EQ(desktop.unloadedWindows(), 2U);  // both gone once the handler has returned
  EXPECT_TRUE(desktop.icon.has_value());
  EXPECT_EQ(module1().SelStartX, 10);
  EXPECT_TRUE(module1().ImageChanged && module1().SelectActive);
  EXPECT_EQ(form2().SelWidth, 40);

  capture();  // a new clipping window, its controls in their initial state
  EXPECT_FALSE(window().Shape1().visible);
  EXPECT_EQ(window().Picture1.width(), 121);
  // Ending with the magnifier never opened closes only the clipping window.
  openMenu("EndClip");
  EXPECT_FALSE(form2().isLoaded());
}

TEST_F(Form2Test, EffectsSetImageChangedExceptSepiaAndRestoreFollowsIt) {
  capture();
  const struct {
    const char* item;
    int index;
    bool changes;
  } cases[] = {{"RGBch", 1, true},  {"RGBch", 2, true},   {"RGBch", 3, true},  {"Nega", -1, true},
               {"Gray", -1, true},  {"Sepia", -1, false}, {"Mozalv", 3, true}, {"Mozalv", 5, true},
               {"Mozalv", 9, true}, {"Mozalv", 11, true}};
  for (const auto& c : cases) {
    drag({100, 100}, {160, 140}, {160, 140});
    module1().ImageChanged = false;
    const std::uint32_t before = pixelOf(window().Picture1, 0, 0);
    // Chosen from the menu, as the user does.
    if (c.index >= 0)
      window().ClipMenu.find(c.item, c.index).click();
    else
      openMenu(c.item);
    EXPECT_EQ(module1().ImageChanged, c.changes) << c.item << c.index;
    EXPECT_NE(pixelOf(window().Picture1, 0, 0), before) << c.item << c.index;
    EXPECT_EQ(item(openMenu(), "BackPi").enabled, c.changes) << c.item << c.index;
  }
  // An RGBch index outside 1-3 only sets ImageChanged.
  module1().ImageChanged = false;
  const std::uint32_t kept = pixelOf(window().Picture1, 0, 0);
  form2().RGBch_Click(4);
  EXPECT_TRUE(module1().ImageChanged);
  EXPECT_EQ(pixelOf(window().Picture1, 0, 0), kept);
}

TEST_F(Form2Test, MosaicResizesBothPicturesAndGreyShowsTheHourglass) {
  capture();
  drag({100, 100}, {199, 149}, {199, 149});  // SelWidth 99, SelHeight 49
  form2().mozalv_click(3);
  EXPECT_EQ(placeOf(window().Picture1), (Rect{136, 8, 99, 48}));
  EXPECT_EQ(placeOf(window().Picture2), (Rect{136, 112, 33, 16}));
  desktop.calls.clear();
  form2().Gray_Click();
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"MousePointer 11", "MousePointer 0"}));
  EXPECT_EQ(module1().PixelBuffer[77], (std::array<std::uint8_t, 3>{77, 77, 77}));
}

TEST_F(Form2Test, ChangesRepaintOnlyWhatChanged) {
  capture();
  // A drag step repaints the old and the new outline of the frame, edge by edge.
  drag({100, 100}, {160, 140}, {160, 140});
  window().invalidated.clear();
  window().mouseMoved(1, 0, {170, 150});
  EXPECT_EQ(window().invalidated, (std::vector<Rect>{{100, 100, 61, 1},
                                                     {100, 140, 61, 1},
                                                     {100, 100, 1, 41},
                                                     {160, 100, 1, 41},
                                                     {100, 100, 71, 1},
                                                     {100, 150, 71, 1},
                                                     {100, 100, 1, 51},
                                                     {170, 100, 1, 51}}));
  // A command on a shown region image repaints it where it is; a hidden one, nothing.
  form2().hyouji_Click();
  window().invalidated.clear();
  form2().Nega_Click();
  const Rect shown{136, 8, 61, 41};
  EXPECT_EQ(window().invalidated, (std::vector<Rect>{shown, shown}));
  form2().hyouji_Click();
  window().invalidated.clear();
  form2().Gray_Click();
  EXPECT_TRUE(window().invalidated.empty());
}

}  // namespace
}  // namespace kepa
