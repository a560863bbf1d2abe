#include "frontends/win32/form4_window.h"

#include "core/numeric.h"
#include "frontends/win32/gdi.h"

namespace kepa {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kOk = 1;      // IDOK
constexpr int kCancel = 2;  // IDCANCEL
constexpr int kFirstOption = 101;

}  // namespace

Form4Window::Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)
    : twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      handlers_(std::move(handlers)),
      fonts_{makeFont(kGothicFamily, 11.25, FW_BOLD, twipsPerPixelY),
             makeFont(kGothicFamily, 12, FW_NORMAL, twipsPerPixelY),
             makeFont(kGothicFamily, 12, FW_BOLD, twipsPerPixelY)} {
  RECT frame = at(0, 0, 320, 288);
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  create(L"KepaForm4", kExStyle, kStyle, "カスタム設定",
         {0, 0, frame.right - frame.left, frame.bottom - frame.top});
  const HWND self = hwnd();
  const char* const captions[] = {"ＲED値", "ＧＲＥＥＮ値", "ＢＵＬＥ値"};
  const int widths[] = {81, 89, 89};
  for (int k = 0; k < 3; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const int top = 64 * k;
    (void)makeControl(self, L"STATIC", captions[k], SS_LEFT, at(16, top + 8, widths[k], 17), -1,
                      fonts_[0]);
    swatches_[i] = std::make_unique<SwatchWindow>(self, at(112, top, 33, 33));
    labels_[i].emplace(
        makeControl(self, L"STATIC", "", SS_LEFT, at(160, top + 8, 49, 17), -1, fonts_[1]));
    bars_[i].emplace(
        makeControl(self, L"SCROLLBAR", "", SBS_HORZ, at(0, top + 40, 313, 17), 10 + k, fonts_[1]));
  }
  (void)makeControl(self, L"BUTTON", "アルゴリズム", BS_GROUPBOX, at(8, 192, 249, 57), -1,
                    fonts_[2]);
  const char* const digits[] = {"１", "２", "３", "４", "５", "６"};
  for (int k = 0; k < 6; ++k) {
    // Only as wide as its circle: the digit label beside it names it.
    (void)makeControl(self, L"BUTTON", "",
                      BS_AUTORADIOBUTTON | WS_TABSTOP | (k == 0 ? WS_GROUP : 0),
                      at(16 + 40 * k, 216, 17, 17), kFirstOption + k, fonts_[1]);
    options_[static_cast<std::size_t>(k)].emplace(self, kFirstOption + k, kFirstOption,
                                                  kFirstOption + 5);
    (void)makeControl(self, L"STATIC", digits[k], SS_LEFT, at(32 + 40 * k, 216, 17, 17), -1,
                      fonts_[1]);
  }
  const auto gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  (void)makeControl(self, L"BUTTON", "ＯＫ", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                    at(176, 256, 57, 25), kOk, gui);
  (void)makeControl(self, L"BUTTON", "Ｃａｎｃｅｌ", BS_PUSHBUTTON | WS_TABSTOP,
                    at(240, 256, 57, 25), kCancel, gui);
}

Form4Window::~Form4Window() {
  // The child windows go with the window (NativeWindow's destructor) before their fonts.
  for (auto& swatch : swatches_)
    swatch.reset();
  DestroyWindow(hwnd());
  for (HFONT font : fonts_)
    DeleteObject(font);
}

RECT Form4Window::at(int left, int top, int width, int height) const {
  return pixelsOfTwipsRect(left * 15.0, top * 15.0, width * 15.0, height * 15.0, twipsPerPixelX_,
                           twipsPerPixelY_);
}

std::int32_t Form4Window::width() const {
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  return frame.right - frame.left;
}

std::int32_t Form4Window::height() const {
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  return frame.bottom - frame.top;
}

void Form4Window::move(Point topLeft) {
  const RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0,
                     0};
  ::SetWindowPos(hwnd(), nullptr, topLeft.x + desktop.left, topLeft.y + desktop.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form4Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HSCROLL: {
      const auto bar = reinterpret_cast<HWND>(lParam);
      const std::function<void()>* drags[] = {&handlers_.rScroll, &handlers_.gScroll,
                                              &handlers_.bScroll};
      for (std::size_t i = 0; i < 3; ++i) {
        // Only a drag of the thumb: the arrows, the track and the keys change the value alone.
        if (bars_[i]->control() == bar && bars_[i]->scrolled(LOWORD(wParam))) (*drags[i])();
      }
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kOk) handlers_.command1();
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kCancel) handlers_.command2();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      handlers_.closed();
      return 0;
    default:
      return NativeWindow::handle(message, wParam, lParam);
  }
}

}  // namespace kepa
