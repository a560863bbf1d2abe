#include "clip/form2.h"

#include "clip/clip_menu.h"
#include "clip/region_drop.h"
#include "clip/selection.h"
#include "core/bit_blt.h"
#include "core/numeric.h"
#include "effects/colour_conversions.h"
#include "effects/mosaic.h"
#include "runtime/window_pos.h"

namespace kepa {

namespace {

// SetWindowPos flags that show or hide the magnifier where it is, without taking the focus.
constexpr std::uint32_t kShow = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
constexpr std::uint32_t kHide = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
static_assert(kShow == 0x53 && kHide == 0x93);

// The save dialog opens on the program's folder, or, where its user cannot write there (an
// installed program), on their pictures folder.
std::string saveFolder(Files& files) {
  const std::string program = files.AppPath();
  return files.canWriteIn(program) ? program : files.picturesPath();
}

}  // namespace

Form2::Form2(Module1& module1, Desktop desktop, Form2Face::Factory makeWindow, Form3& form3,
             Form4& form4, RandomSource& random)
    : module1_(module1),
      desktop_(desktop),
      createWindow_(std::move(makeWindow)),
      form3_(form3),
      form4_(form4),
      random_(random),
      window_([this] { return createWindow(); }, [this] { Form_Load(); }) {}

std::unique_ptr<Form2Face> Form2::createWindow() {
  // The persistent image covers the screen.
  const auto [width, height] = desktop_.screen.screenPixels();
  auto window = createWindow_(
      desktop_.screen.createScreenImage(width, height), desktop_.screen.twipsPerPixelX(),
      desktop_.screen.twipsPerPixelY(),
      Form2Face::Handlers{
          .mouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); },
          .mouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); },
          .mouseUp = [this](int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); },
          .picture1Click = [this] { picture1_click(); },
          .dragDrop = [this](float x, float y) { Form_DragDrop(x, y); },
          // Closed from outside, it ends the clipping as クリッピング終了 does.
          .closed = [this] { EndClip_Click(); },
      });
  buildClipMenu(window->ClipMenu);
  Menu& menu = window->ClipMenu;
  menu.find("EndClip").onClick([this] { EndClip_Click(); });
  menu.find("GZoom").onClick([this] { GZoom_Click(); });
  menu.find("SavePic").onClick([this] { SavePic_Click(); });
  menu.find("SaveClip").onClick([this] { SaveClip_Click(); });
  menu.find("hyouji").onClick([this] { hyouji_Click(); });
  menu.find("BackPi").onClick([this] { BackPi_click(); });
  for (const std::int16_t index : {1, 2, 3}) {
    menu.find("RGBch", index).onClick([this, index] { RGBch_Click(index); });
  }
  menu.find("Nega").onClick([this] { Nega_Click(); });
  menu.find("Gray").onClick([this] { Gray_Click(); });
  menu.find("Sepia").onClick([this] { Sepia_Click(); });
  for (const std::int16_t level : {3, 5, 9, 11}) {
    menu.find("Mozalv", level).onClick([this, level] { mozalv_click(level); });
  }
  for (const std::int16_t index : {1, 2}) {
    menu.find("hatena", index).onClick([this, index] { hatena_click(index); });
  }
  return window;
}

void Form2::Form_Load() {
  module1_.CustomOption = 1;
  module1_.SliderR = 50;
  module1_.SliderG = 50;
  module1_.SliderB = 50;
}

void Form2::Form_MouseDown(int button, int, float, float) {
  if (button == 2) {
    UpdateClipMenu();
    desktop_.dialogs.PopupMenu(window().ClipMenu);
    return;
  }
  if (button != 1) return;
  module1_.CursorPos = desktop_.screen.GetCursorPos();
  module1_.SelStartX = module1_.CursorPos.x;
  module1_.SelStartY = module1_.CursorPos.y;
  module1_.SelectActive = true;
  SelColor = selectionColour(GetPixel(window().hDC, module1_.SelStartX, module1_.SelStartY));
  // The frame shows at the press point with no size; its colour comes at the first move.
  window().changeShape1([&](FrameShape& frame) {
    frame.left = module1_.SelStartX;
    frame.top = module1_.SelStartY;
    frame.width = 0;
    frame.height = 0;
    frame.visible = true;
  });
}

void Form2::Form_MouseMove(int button, int, float x, float y) {
  if (button != 1) return;
  const std::optional<FrameSize> size = dragFrameSize(module1_.SelStartX, module1_.SelStartY, x, y);
  if (!size) return;
  SelWidth = size->width;
  SelHeight = size->height;
  DrawSelFrame();
}

void Form2::DrawSelFrame() {
  window().changeShape1([&](FrameShape& frame) {
    frame.left = module1_.SelStartX;
    frame.top = module1_.SelStartY;
    frame.visible = true;
    frame.width = SelWidth;
    frame.height = SelHeight;
    frame.borderColor = SelColor;
  });
}

void Form2::Form_MouseUp(int button, int, float, float) {
  if (button != 1) return;
  module1_.CursorPos = desktop_.screen.GetCursorPos();
  const std::int32_t dx = module1_.CursorPos.x - module1_.SelStartX;
  const std::int32_t dy = module1_.CursorPos.y - module1_.SelStartY;
  Form2Face& form = window();
  if (dx > 0 && dy > 0) {
    SelWidth = dx;
    SelHeight = dy;
    const auto copyRegion = [&](Picture& picture) {
      picture.setSize(SelWidth + 1, SelHeight + 1);
      picture.Cls();
      BitBlt(picture.hDC(), 0, 0, SelWidth, SelHeight, form.hDC, module1_.SelStartX + 1,
             module1_.SelStartY + 1, RasterOp::SRCCOPY);
    };
    form.changePicture1(copyRegion);
    copyRegion(form.Picture2);
    return;
  }
  SelWidth = 0;
  SelHeight = 0;
  form.changeShape1([](FrameShape& frame) { frame.visible = false; });
  module1_.ImageChanged = false;
  module1_.SelectActive = false;
  form.changePicture1([](Picture& picture) {
    picture.setVisible(false);
    picture.Cls();
    picture.setSize(0, 0);
  });
}

void Form2::fitImageTo(std::int32_t width, std::int32_t height) {
  if (!isLoaded()) return;
  const Surface& image = window().image;
  if (image.width() == width && image.height() == height) return;
  window().replaceImage(desktop_.screen.createScreenImage(width, height));
}

void Form2::Show() {
  window().showOverScreen();
  if (form3_.isLoaded() && form3_.window().Visible()) form3_.window().raise();
}

// Ends the clipping: the clipping window and the magnifier close; nothing else is reset.
void Form2::EndClip_Click() {
  Unload();
  form3_.Unload();
}

// Switches the magnifier: shown always on top without taking the focus and ticking every
// millisecond, or hidden and stopped. Neither moves nor resizes it.
void Form2::GZoom_Click() {
  if (form3_.Visible()) {
    desktop_.shell.SetWindowPos(desktop_.shell.windowHandle(form3_.window()), HWND_NOTOPMOST, 10,
                                10, 10, 10, kHide);
    form3_.window().Timer1().setInterval(0);
  } else {
    desktop_.shell.SetWindowPos(desktop_.shell.windowHandle(form3_.window()), HWND_TOPMOST, 10, 10,
                                10, 10, kShow);
    form3_.window().Timer1().setInterval(1);
  }
}

void Form2::SavePic_Click() {
  if (form3_.Visible()) {
    desktop_.shell.SetWindowPos(desktop_.shell.windowHandle(form3_.window()), HWND_NOTOPMOST, 10,
                                10, 10, 10, kHide);
  }
  CommonDialog& CMD = window().CMD;
  CMD.CancelError = true;
  CMD.Filter = "BMP ﾌｧｲﾙ|*.BMP|すべてのﾌｧｲﾙ|*.*";
  CMD.InitDir = saveFolder(desktop_.files);
  CMD.FileName = "RozAze.bmp";
  CMD.Flags = 8;  // OFN_NOCHANGEDIR
  if (CMD.ShowSave(desktop_.dialogs) == cdlCancel || desktop_.life.ending()) return;
  const SaveOutcome outcome = desktop_.files.SavePicture(window().Picture1.image(), CMD.FileName);
  if (!outcome.saved) {
    desktop_.dialogs.showMessage(
        MessageKind::Critical, "KEPA",
        "「" + CMD.FileName + "」に保存できませんでした。\n" + outcome.reason);
  }
}

void Form2::SaveClip_Click() {
  const Picture& image = window().Picture1;
  if (image.image().empty()) {
    desktop_.dialogs.showMessage(
        MessageKind::Critical, "KEPA",
        "領域の画像の幅または高さが 0 のため、クリップボ－ドに格納できません。");
    return;
  }
  desktop_.files.ClipboardClear();
  if (!desktop_.files.ClipboardSetData(image.image())) {
    desktop_.dialogs.showMessage(
        MessageKind::Critical, "KEPA",
        "クリップボ－ドに格納できませんでした。クリップボ－ドの内容はそのままです。");
  }
}

void Form2::hyouji_Click() {
  window().changePicture1([](Picture& picture) { picture.setVisible(!picture.visible()); });
}

void Form2::picture1_click() {
  window().changePicture1([](Picture& picture) { picture.setVisible(false); });
}

// Restores the region image from the capture, grown back to the selection's size; the last
// column and row are not copied and keep their colours.
void Form2::BackPi_click() {
  Form2Face& form = window();
  form.changePicture1([&](Picture& picture) {
    picture.setSize(SelWidth + 1, SelHeight + 1);
    BitBlt(picture.hDC(), 0, 0, SelWidth, SelHeight, form.hDC, module1_.SelStartX + 1,
           module1_.SelStartY + 1, RasterOp::SRCCOPY);
  });
  module1_.ImageChanged = false;
}

void Form2::Form_DragDrop(float X, float Y) {
  window().changePicture1([&](Picture& picture) {
    const Point topLeft = dropPosition(X, Y, picture.width(), picture.height());
    picture.move(topLeft);
  });
}

Region Form2::region() const {
  return {module1_.SelStartX, module1_.SelStartY, SelWidth, SelHeight};
}

void Form2::applyEffect(
    const std::function<void(const DeviceContext& screen, Picture& image)>& effect) {
  Form2Face& form = window();
  form.changePicture1([&](Picture& image) { effect(form.hDC, image); });
}

void Form2::RGBch_Click(std::int16_t Index) {
  applyEffect([&](const DeviceContext& screen, Picture& image) {
    colourScale(Index, region(), screen, image);
  });
  module1_.ImageChanged = true;
}

void Form2::Nega_Click() {
  applyEffect(
      [&](const DeviceContext& screen, Picture& image) { negative(region(), screen, image); });
  module1_.ImageChanged = true;
}

void Form2::Gray_Click() {
  desktop_.screen.setMousePointer(MousePointer::Hourglass);
  applyEffect([&](const DeviceContext& screen, Picture& image) {
    grey(region(), screen, image, module1_.PixelBuffer);
  });
  desktop_.screen.setMousePointer(MousePointer::Default);
  module1_.ImageChanged = true;
}

// Unlike the other conversions, sepia leaves ImageChanged as it was.
void Form2::Sepia_Click() {
  applyEffect([&](const DeviceContext& screen, Picture& image) { sepia(region(), screen, image); });
}

void Form2::mozalv_click(std::int16_t Index) {
  Form2Face& form = window();
  applyEffect([&](const DeviceContext& screen, Picture& image) {
    mosaic(Index, region(), screen, image, form.Picture2);
  });
  module1_.ImageChanged = true;
}

void Form2::hatena_click(std::int16_t Index) {
  if (Index == 1) {
    applyEffect([&](const DeviceContext& screen, Picture& image) {
      random_.Randomize();
      const SurpriseDraw draw = drawSurprise(random_);
      module1_.CustomAlgorithm = draw.algorithm;
      surprise(draw.fill, module1_.CustomAlgorithm, region(), screen, image);
    });
    module1_.ImageChanged = true;
    return;
  }
  if (Index != 2) return;
  form4_.ShowModal(&window());
  if (desktop_.life.ending() || module1_.CustomCancelled) return;
  // Closed by its close button before any OK: no colour was ever confirmed, and the effect
  // does what a Cancel does.
  const std::optional<Colour> fill = colourOfText(module1_.CustomColorText);
  if (!fill) return;
  applyEffect([&](const DeviceContext& screen, Picture& image) {
    surprise(*fill, module1_.CustomAlgorithm, region(), screen, image);
  });
  module1_.ImageChanged = true;
}

void Form2::UpdateClipMenu() {
  Form2Face& form = window();
  Menu& menu = form.ClipMenu;
  const bool framed = form.Shape1().visible;
  menu.find("SavePic").enabled = framed;
  menu.find("SaveClip").enabled = framed;
  menu.find("Efect").enabled = framed;
  menu.find("GOption").enabled = framed;
  menu.find("hyouji").checked = form.Picture1.visible();
  menu.find("BackPi").enabled = module1_.ImageChanged;
  menu.find("GZoom").checked = form3_.Visible();
}

}  // namespace kepa
