#include "app/form1.h"

#include "core/bit_blt.h"
#include "core/numeric.h"
#include "runtime/kepa_icon.h"

namespace kepa {

Form1::Form1(Desktop desktop, Form1Face::Factory makeWindow, Form2& form2,
             std::function<void()> endProgram)
    : desktop_(desktop),
      createWindow_(std::move(makeWindow)),
      form2_(form2),
      endProgram_(std::move(endProgram)),
      window_([this] { return createWindow(); }, [this] { Form_Load(); }) {}

std::unique_ptr<Form1Face> Form1::createWindow() {
  auto window =
      createWindow_(desktop_.screen.twipsPerPixelX(),
                    Form1Face::Handlers{
                        .mouseMove = [this](int button, int shift, float x,
                                            float y) { Form_MouseMove(button, shift, x, y); },
                        .timer1 = [this] { Timer1_Timer(); },
                        .closed = [this] { ExitKepa_Click(); },
                    });
  Menu& menu = window->KepaMenu;
  menu.find("StartCap").onClick([this] { StartCap_Click(); });
  menu.find("VerP").onClick([this] { VerP_Click(); });
  menu.find("ExitKepa").onClick([this] { ExitKepa_Click(); });
  return window;
}

void Form1::Unload() {
  if (!window_.isLoaded()) return;
  int cancel = 0;
  Form_Unload(cancel);
  window_.unload();
}

void Form1::Form_Load() {
  Form1Face& form = window();
  // Centred on the screen in twips, in single precision: the top first, then the left. The
  // screen is the primary monitor, which need not start at the desktop's origin.
  const Rect screen = primaryMonitor(desktop_.screen.monitors());
  const float tppX = desktop_.screen.twipsPerPixelX();
  const float tppY = desktop_.screen.twipsPerPixelY();
  const float top = static_cast<float>(screen.y) * tppY +
                    static_cast<float>(screen.height) * tppY / 2.0F - form.heightTwips() / 2.0F;
  form.setTopTwips(top);
  const float left = static_cast<float>(screen.x) * tppX +
                     static_cast<float>(screen.width) * tppX / 2.0F - form.widthTwips() / 2.0F;
  form.setLeftTwips(left);

  nid_.cbSize = sizeof(NOTIFYICONDATA);
  nid_.hWnd = desktop_.shell.windowHandle(form);
  nid_.uID = 1;
  nid_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid_.uCallbackMessage = WM_MOUSEMOVE;
  nid_.hIcon = desktop_.shell.iconHandle(kepaIcon());
  nid_.szTip = fixedString<64>(std::string_view("DIRUZAZU\0", 9));
  desktop_.shell.setNotifyIconMenu(form.KepaMenu);
  [[maybe_unused]] const bool added = desktop_.shell.Shell_NotifyIconA(NIM_ADD, nid_);

  form.hide();
  form.KepaMenu.visible = false;
}

void Form1::Form_MouseMove(int, int, float x, float) {
  const std::int32_t message = pixelsOfTwips(x, desktop_.screen.twipsPerPixelX());
  switch (message) {
    case WM_LBUTTONDOWN:
      window().KepaMenu.visible = false;
      break;
    case WM_RBUTTONDOWN: {
      [[maybe_unused]] const bool foreground =
          desktop_.shell.SetForegroundWindow(desktop_.shell.windowHandle(window()));
      desktop_.life.DoEvents();
      // The clipping window's image is made ready while the menu is open, and given back when
      // no capture took it.
      if (!form2_.isLoaded()) {
        desktop_.screen.prepareScreenImage(desktop_.screen.screenPixels().x,
                                           desktop_.screen.screenPixels().y);
      }
      desktop_.dialogs.PopupMenu(window().KepaMenu);
      desktop_.screen.releasePreparedScreenImage();
      break;
    }
    default:
      break;
  }
}

void Form1::Form_Unload(int&) {
  [[maybe_unused]] const bool deleted = desktop_.shell.Shell_NotifyIconA(NIM_DELETE, nid_);
}

void Form1::VerP_Click() {
  window().show();
  window().Timer1().setInterval(2500);
}

void Form1::Timer1_Timer() {
  window().hide();
  window().Timer1().setInterval(0);
}

void Form1::ExitKepa_Click() {
  int cancel = 1;
  Form_Unload(cancel);
  endProgram_();
}

void Form1::StartCap_Click() {
  // A dialog of the program is waiting for an answer over the frozen screen: a new frozen
  // screen would cover it while the clipping window still waits for it. The dialog comes to
  // the front instead.
  if (desktop_.dialogs.bringModalWindowForward()) return;
  // Asked for again while this capture waits for the screen (the portal asks the user, and a
  // second `kepa --capture` or a shortcut arrives meanwhile): it is this capture.
  if (capturing_) return;
  capturing_ = true;
  const struct Done {
    bool& capturing;
    ~Done() { capturing = false; }
  } done{capturing_};
  const Point size = desktop_.screen.screenPixels();
  ScreenWidthPx_ = size.x;
  ScreenHeightPx_ = size.y;
  DeviceContext screen = desktop_.screen.GetDC();
  // The screen cannot be read now (the desktop refused it): the user is told, and a clipping
  // window that is open stays as it was.
  if (screen.isNull()) {
    desktop_.dialogs.showMessage(MessageKind::Critical, "KEPA", desktop_.screen.screenProblem());
    return;
  }
  // The first reference to Form2 loads it (running its Form_Load) before any pixel is copied.
  // A clipping window still open from before a monitor came or went takes the new size.
  form2_.fitImageTo(ScreenWidthPx_, ScreenHeightPx_);
  DeviceContext& image = form2_.hDC();
  [[maybe_unused]] const bool copied =
      BitBlt(image, 0, 0, ScreenWidthPx_, ScreenHeightPx_, screen, 0, 0, RasterOp::SRCCOPY);
  desktop_.screen.ReleaseDC(screen);
  form2_.window().imageChanged();
  form2_.Show();
}

}  // namespace kepa
