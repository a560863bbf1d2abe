#include "frontends/win32/form1_window.h"

#include <algorithm>

#include "app/version.h"
#include "core/design_pixels.h"
#include "core/numeric.h"
#include "frontends/win32/gdi.h"
#include "frontends/win32/wide_text.h"

namespace kepa {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 0x80);

// The splash's picture: a camera viewfinder (corner brackets, a ring and a cross) over a deep
// blue lens lit from the upper left, `side` pixels square.
void drawArtwork(HDC dc, int side) {
  // The lens: circles from the rim inwards, from navy to a light blue.
  const double s = side;
  const int cx = static_cast<int>(s * 0.42);
  const int cy = static_cast<int>(s * 0.38);
  RECT all{0, 0, side, side};
  HBRUSH navy = CreateSolidBrush(kNavy);
  FillRect(dc, &all, navy);
  DeleteObject(navy);
  HRGN clip = CreateRectRgn(0, 0, side, side);
  SelectClipRgn(dc, clip);
  const HGDIOBJ noPen = SelectObject(dc, GetStockObject(NULL_PEN));
  for (int step = 32; step > 0; --step) {
    const double t = step / 32.0;  // 1 at the rim, 0 at the centre
    const int r = static_cast<int>(s * 0.75 * t);
    const auto mix = [t](int rim, int centre) {
      return static_cast<int>(centre + (rim - centre) * t);
    };
    HBRUSH ring = CreateSolidBrush(RGB(mix(0x00, 0x30), mix(0x00, 0x60), mix(0x80, 0xD0)));
    const HGDIOBJ before = SelectObject(dc, ring);
    Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    SelectObject(dc, before);
    DeleteObject(ring);
  }
  SelectObject(dc, noPen);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);

  const int stroke = std::max(1, side / 32);
  const int m = static_cast<int>(s * 0.12);
  const int arm = static_cast<int>(s * 0.24);
  const int opposite = side - m;
  HPEN white = CreatePen(PS_SOLID, stroke, RGB(255, 255, 255));
  HGDIOBJ before = SelectObject(dc, white);
  const POINT corners[4] = {{m, m}, {opposite, m}, {opposite, opposite}, {m, opposite}};
  for (int i = 0; i < 4; ++i) {
    const int sx = i == 0 || i == 3 ? 1 : -1;
    const int sy = i < 2 ? 1 : -1;
    const POINT bracket[3] = {{corners[i].x + sx * arm, corners[i].y},
                              corners[i],
                              {corners[i].x, corners[i].y + sy * arm}};
    Polyline(dc, bracket, 3);
  }
  SelectObject(dc, before);
  DeleteObject(white);
  HPEN pale = CreatePen(PS_SOLID, stroke, RGB(0x90, 0xC8, 0xFF));
  before = SelectObject(dc, pale);
  const HGDIOBJ hollow = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int c = side / 2;
  const int ring = static_cast<int>(s * 0.17);
  const int gap = static_cast<int>(s * 0.07);
  Ellipse(dc, c - ring, c - ring, c + ring, c + ring);
  const POINT lines[4][2] = {{{c, m + stroke * 2}, {c, c - gap}},
                             {{c, c + gap}, {c, opposite - stroke * 2}},
                             {{m + stroke * 2, c}, {c - gap, c}},
                             {{c + gap, c}, {opposite - stroke * 2, c}}};
  for (const auto& line : lines)
    Polyline(dc, line, 2);
  SelectObject(dc, hollow);
  SelectObject(dc, before);
  DeleteObject(pale);
}

}  // namespace

int buttonsOf(WPARAM keys) {
  return ((keys & MK_LBUTTON) != 0 ? 1 : 0) | ((keys & MK_RBUTTON) != 0 ? 2 : 0) |
         ((keys & MK_MBUTTON) != 0 ? 4 : 0);
}

int shiftOf(WPARAM keys) {
  return ((keys & MK_SHIFT) != 0 ? 1 : 0) | ((keys & MK_CONTROL) != 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

Form1Window::Form1Window(float twipsPerPixel, Handlers handlers, Point origin)
    : Form1Face(twipsPerPixel),
      handlers_(std::move(handlers)),
      origin_(origin),
      timer1_(*this, [this] { handlers_.timer1(); }),
      big_(makeFont(kHeavyFamily, 36, FW_BOLD, twipsPerPixel)),
      version_(makeFont(kHeavyFamily, 24, FW_NORMAL, twipsPerPixel)),
      small_(makeFont(kHeavyFamily, 12, FW_BOLD, twipsPerPixel)),
      medium_(makeFont(kHeavyFamily, 18, FW_BOLD, twipsPerPixel)) {
  create(L"KepaForm1", WS_EX_TOOLWINDOW, WS_POPUP, "KEPA",
         {0, 0, sizeInPixels().x, sizeInPixels().y});
}

Form1Window::~Form1Window() {
  for (HFONT font : {big_, version_, small_, medium_})
    DeleteObject(font);
}

void Form1Window::moveTo(Point topLeft) {
  ::SetWindowPos(hwnd(), nullptr, topLeft.x + origin_.x, topLeft.y + origin_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::show() {
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  ::SetWindowPos(hwnd(), win::kTopmost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form1Window::paint(HDC dc, const RECT&) const {
  RECT all;
  GetClientRect(hwnd(), &all);
  HBRUSH navy = CreateSolidBrush(kNavy);
  FillRect(dc, &all, navy);
  DeleteObject(navy);
  // The picture is 161 x 161 pixels at 15 twips per pixel and grows with the scale.
  drawArtwork(dc, designToPixels(161, twipsPerPixel()));
  const float t = twipsPerPixel();
  const UINT left = DT_LEFT | DT_TOP | DT_WORDBREAK;
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF black = RGB(0, 0, 0);
  drawLabel(dc, L"KEPA", pixelsOfTwipsRect(120, 240, 2655, 975, t, t), big_, red, left);
  drawLabel(dc, L"KEPA", pixelsOfTwipsRect(1200, 600, 2535, 975, t, t), big_, white, left);
  // The version is the project's, the one the package and --version carry too.
  drawLabel(dc, L"VER  " + wideOf(programVersion()), pixelsOfTwipsRect(2520, 1440, 2775, 735, t, t),
            version_, red, DT_CENTER | DT_TOP | DT_WORDBREAK, &black);
  drawLabel(dc, L"Present's", pixelsOfTwipsRect(360, 2640, 1695, 495, t, t), small_, white, left);
  drawLabel(dc, L"Orvane Project", pixelsOfTwipsRect(2160, 2520, 3135, 615, t, t), medium_, white,
            left);
}

LRESULT Form1Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      // Also the notification icon's callbacks: x is the mouse message's number.
      handlers_.mouseMove(buttonsOf(wParam), shiftOf(wParam),
                          static_cast<float>(GET_X_LPARAM(lParam)) * twipsPerPixel(),
                          static_cast<float>(GET_Y_LPARAM(lParam)) * twipsPerPixel());
      return 0;
    case WM_CLOSE:
      handlers_.closed();
      return 0;
    default:
      return NativeWindow::handle(message, wParam, lParam);
  }
}

}  // namespace kepa
