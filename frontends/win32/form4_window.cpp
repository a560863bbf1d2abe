#include "frontends/win32/form4_window.h"

#include "core/design_pixels.h"
#include "frontends/win32/gdi.h"
#include "settings/form4_design.h"

namespace kepa {

namespace {

// An ordinary sizable window with the caption bar's buttons and the program's icon, as the
// dialog is designed; not a dialog frame, which shows no icon.
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = 0;
// Not IDOK and IDCANCEL: the modal loop's dialog keys send those for Enter and Esc, which the
// design gives no button (only a click, or a key on the focused button, presses one).
constexpr int kOk = 201;
constexpr int kCancel = 202;
constexpr int kFirstOption = 101;

}  // namespace

Form4Window::Form4Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers)
    : twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY),
      handlers_(std::move(handlers)) {
  RECT frame = at(kForm4Client);
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  create(L"KepaForm4", kExStyle, kStyle, kForm4Caption,
         {0, 0, frame.right - frame.left, frame.bottom - frame.top});
  const HWND self = hwnd();
  for (const Form4ControlDesign& c : form4Design()) {
    const auto i = static_cast<std::size_t>(c.index);
    const RECT box = at(c.rect);
    const HFONT font = fontOf(c.font);
    switch (c.control) {
      case Form4Control::ColourName:
      case Form4Control::OptionDigit:
        (void)makeControl(self, L"STATIC", c.caption, SS_LEFT, box, -1, font);
        break;
      case Form4Control::Swatch:
        swatches_.at(i) = std::make_unique<SwatchWindow>(self, box);
        break;
      case Form4Control::Value:
        labels_.at(i).emplace(makeControl(self, L"STATIC", c.caption, SS_LEFT, box, -1, font));
        break;
      case Form4Control::ScrollBar:
        bars_.at(i).emplace(
            makeControl(self, L"SCROLLBAR", c.caption, SBS_HORZ, box, 10 + c.index, font));
        break;
      case Form4Control::Frame:
        (void)makeControl(self, L"BUTTON", c.caption, BS_GROUPBOX, box, -1, font);
        break;
      case Form4Control::Option:
        // Only as wide as its circle: the digit label beside it names it.
        (void)makeControl(self, L"BUTTON", c.caption,
                          BS_AUTORADIOBUTTON | WS_TABSTOP | (c.index == 0 ? WS_GROUP : 0), box,
                          kFirstOption + c.index, font);
        options_.at(i).emplace(self, kFirstOption + c.index, kFirstOption, kFirstOption + 5);
        break;
      case Form4Control::Ok:
        (void)makeControl(self, L"BUTTON", c.caption, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, box,
                          kOk, font);
        break;
      case Form4Control::Cancel:
        (void)makeControl(self, L"BUTTON", c.caption, BS_PUSHBUTTON | WS_TABSTOP, box, kCancel,
                          font);
        break;
    }
  }
}

HFONT Form4Window::fontOf(const DesignFont& design) {
  if (design.systemFont()) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const auto& [known, font] : fonts_) {
    if (known.points == design.points && known.bold == design.bold) return font;
  }
  const HFONT font =
      makeFont(kGothicFamily, design.points, design.bold ? FW_BOLD : FW_NORMAL, twipsPerPixelY_);
  fonts_.emplace_back(design, font);
  return font;
}

Form4Window::~Form4Window() {
  // The child windows go with the window (NativeWindow's destructor) before their fonts.
  for (auto& swatch : swatches_)
    swatch.reset();
  DestroyWindow(hwnd());
  for (const auto& [design, font] : fonts_)
    DeleteObject(font);
}

RECT Form4Window::at(const DesignRect& design) const {
  const Rect rect = designToPixels(design, twipsPerPixelX_, twipsPerPixelY_);
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
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
