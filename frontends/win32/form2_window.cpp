#include "frontends/win32/form2_window.h"

#include <vector>

#include "frontends/win32/dib_section.h"
#include "frontends/win32/form1_window.h"
#include "frontends/win32/gdi.h"

namespace kepa {

namespace {

void fill(HDC dc, const Rect& rect, COLORREF colour) {
  const RECT box{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

}  // namespace

Form2Window::Form2Window(Surface screenImage, float twipsPerPixelX, float twipsPerPixelY,
                         Handlers handlers, Point origin)
    : Form2Face(std::move(screenImage), twipsPerPixelX, twipsPerPixelY, std::move(handlers)),
      origin_(origin),
      crossHair_(LoadCursorW(programInstance(), MAKEINTRESOURCEW(2))) {
  create(kClassName, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, "",
         {origin.x, origin.y, image.width(), image.height()});
}

void Form2Window::showOverScreen() {
  ::SetWindowPos(hwnd(), win::kTopmost, origin_.x, origin_.y, image.width(), image.height(),
                 SWP_SHOWWINDOW);
  ::SetForegroundWindow(hwnd());
  SetCursor(crossHair_);
}

void Form2Window::invalidate(const Rect& area) {
  const RECT box{area.x, area.y, area.x + area.width, area.y + area.height};
  InvalidateRect(hwnd(), &box, FALSE);
}

int Form2Window::dragDistance() const {
  return GetSystemMetrics(SM_CXDRAG);
}

void Form2Window::paint(HDC dc, const RECT& area) const {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Composed off the screen and put there at once.
  HDC composed = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  const HGDIOBJ previous = SelectObject(composed, bitmap);
  SetViewportOrgEx(composed, -area.left, -area.top, nullptr);
  if (const DibSection* section = DibSection::of(image)) {
    ::BitBlt(composed, area.left, area.top, width, height, section->dc(), area.left, area.top,
             win::kSrcCopy);
  } else {
    const BITMAPINFO info = topDownInfo(image.width(), image.height());
    SetDIBitsToDevice(composed, 0, 0, static_cast<DWORD>(image.width()),
                      static_cast<DWORD>(image.height()), 0, 0, 0,
                      static_cast<UINT>(image.height()), image.data(), &info, DIB_RGB_COLORS);
  }
  // The frame is drawn on the form itself and the region image is a control above it.
  for (const Rect& edge : Shape1().edges()) {
    if (!edge.empty()) fill(composed, edge, colorRef(Shape1().borderColor));
  }
  const Rect picture = picture1Area();
  if (!picture.empty()) {
    const Surface& pixels = Picture1.image();
    const BITMAPINFO info = topDownInfo(pixels.width(), pixels.height());
    SetDIBitsToDevice(composed, picture.x, picture.y, static_cast<DWORD>(pixels.width()),
                      static_cast<DWORD>(pixels.height()), 0, 0, 0,
                      static_cast<UINT>(pixels.height()), pixels.data(), &info, DIB_RGB_COLORS);
  }
  // The drag outline inverts what it crosses, so that it shows on any picture: every pixel
  // of it once.
  for (const Rect& part : dragOutline().disjointEdges()) {
    if (!part.empty()) PatBlt(composed, part.x, part.y, part.width, part.height, DSTINVERT);
  }
  SetViewportOrgEx(composed, 0, 0, nullptr);
  ::BitBlt(dc, area.left, area.top, width, height, composed, 0, 0, win::kSrcCopy);
  SelectObject(composed, previous);
  DeleteObject(bitmap);
  DeleteDC(composed);
}

void Form2Window::released(int button, WPARAM keys, LPARAM at) {
  const Point point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
  // A drop counts only on this window's own surface, not through a window above it.
  POINT onScreen{point.x, point.y};
  ClientToScreen(hwnd(), &onScreen);
  mouseReleased(button, shiftOf(keys), point, WindowFromPoint(onScreen) == hwnd());
}

LRESULT Form2Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      // A click on the frozen screen does not bring it above the magnifier, which stays on
      // top of it.
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(crossHair_);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    // A quick second press (the class takes double clicks) is a press like any other: it
    // starts a new drag from where it is.
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      SetCapture(hwnd());
      mousePressed(message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK   ? 1
                   : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? 2
                                                                              : 4,
                   shiftOf(wParam), at);
      return 0;
    case WM_CLOSE:
      // Alt+F4, or another program asking: the clipping ends through its code module.
      closedFromOutside();
      return 0;
    case WM_MOUSEMOVE:
      mouseMoved(buttonsOf(wParam), shiftOf(wParam), at);
      return 0;
    case WM_LBUTTONUP:
      released(1, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      released(2, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      released(4, wParam, lParam);
      return 0;
    default:
      break;
  }
  return NativeWindow::handle(message, wParam, lParam);
}

}  // namespace kepa
