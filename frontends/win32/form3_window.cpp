#include "frontends/win32/form3_window.h"

#include "core/design_pixels.h"
#include "frontends/win32/dib_section.h"
#include "frontends/win32/form1_window.h"
#include "frontends/win32/form2_window.h"
#include "frontends/win32/gdi.h"
#include "frontends/win32/wide_text.h"
#include "magnifier/form3_design.h"

namespace kepa {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// The four labels as designed, in the order of kForm3Labels.
std::array<PaintedLabel, 4> designedLabels(HWND& window, float tppX, float tppY) {
  const auto label = [&](std::size_t k) {
    const Form3LabelDesign& design = kForm3Labels.at(k);
    const Rect box = designToPixels(design.rect, tppX, tppY);
    return PaintedLabel(window, design.caption,
                        {box.x, box.y, box.x + box.width, box.y + box.height});
  };
  return {label(0), label(1), label(2), label(3)};
}

}  // namespace

Form3Window::Form3Window(float twipsPerPixelX, float twipsPerPixelY, Handlers handlers,
                         Point origin)
    : Form3Face(twipsPerPixelX, twipsPerPixelY),
      handlers_(std::move(handlers)),
      origin_(origin),
      timer1_(*this, [this] { handlers_.timer1(); }),
      labels_(designedLabels(window_, twipsPerPixelX, twipsPerPixelY)),
      font_(makeFont(kGothicFamily, kForm3LabelFont.points,
                     kForm3LabelFont.bold ? FW_BOLD : FW_NORMAL, twipsPerPixelY)) {
  RECT frame{0, 0, clientImage().width(), clientImage().height()};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  // Owned by the clipping window, which is there whenever the magnifier is: an owned window
  // stays above its owner, also when the owner is activated (a dialog above both closed).
  create(L"KepaForm3", kExStyle, kStyle, kForm3Caption,
         {origin.x, origin.y, frame.right - frame.left, frame.bottom - frame.top},
         FindWindowW(Form2Window::kClassName, nullptr));
  window_ = hwnd();
}

Form3Window::~Form3Window() {
  DeleteObject(font_);
}

bool Form3Window::Visible() const {
  return IsWindowVisible(hwnd()) != FALSE && IsIconic(hwnd()) == FALSE;
}

void Form3Window::raise() {
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Rect Form3Window::frameGeometry() const {
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  return {frame.left - origin_.x, frame.top - origin_.y, frame.right - frame.left,
          frame.bottom - frame.top};
}

void Form3Window::move(Point topLeft) {
  ::SetWindowPos(hwnd(), nullptr, topLeft.x + origin_.x, topLeft.y + origin_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form3Window::repaintClient(const Rect& area) {
  const RECT box{area.x, area.y, area.x + area.width, area.y + area.height};
  InvalidateRect(hwnd(), &box, FALSE);
}

void Form3Window::paint(HDC dc, const RECT&) const {
  const Surface& shown = shownImage();
  const BITMAPINFO info = topDownInfo(shown.width(), shown.height());
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(shown.width()), static_cast<DWORD>(shown.height()),
                    0, 0, 0, static_cast<UINT>(shown.height()), shown.data(), &info,
                    DIB_RGB_COLORS);
  for (const PaintedLabel& label : labels_) {
    drawLabel(dc, wideOf(label.caption()), label.box(), font_, RGB(0, 0, 0),
              DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
}

LRESULT Form3Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      // Over a label the pointer is the label's, not the client area's.
      for (const PaintedLabel& label : labels_) {
        if (label.contains(at)) return 0;
      }
      handlers_.mouseMove(buttonsOf(wParam), shiftOf(wParam), static_cast<float>(at.x),
                          static_cast<float>(at.y));
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_CLOSE:
      handlers_.closed();
      return 0;
    default:
      return NativeWindow::handle(message, wParam, lParam);
  }
}

}  // namespace kepa
