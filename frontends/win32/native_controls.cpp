#include "frontends/win32/native_controls.h"

#include <algorithm>

#include "frontends/win32/gdi.h"
#include "frontends/win32/wide_text.h"

namespace kepa {

namespace {

constexpr int kLargeChange = 16;

}  // namespace

HWND makeControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style,
                 const RECT& box, int id, HFONT font) {
  HWND control = CreateWindowExW(0, className, wideOf(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                 box.left, box.top, box.right - box.left, box.bottom - box.top,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 programInstance(), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void NativeLabel::setCaption(const std::string& caption) {
  SetWindowTextW(control_, wideOf(caption).c_str());
}

std::string NativeLabel::caption() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control_, text.data(), static_cast<int>(text.size()))));
  return utf8Of(text);
}

NativeScrollBar::NativeScrollBar(HWND control) : control_(control) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 255;
  SetScrollInfo(control_, SB_CTL, &info, TRUE);
}

int NativeScrollBar::value() const {
  return GetScrollPos(control_, SB_CTL);
}

void NativeScrollBar::setValue(int value) {
  thumb_ = std::clamp(value, 0, 255);
  SetScrollPos(control_, SB_CTL, thumb_, TRUE);
}

bool NativeScrollBar::scrolled(WORD code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(control_, SB_CTL, &info);
  switch (code) {
    case SB_THUMBTRACK:
      thumb_ = info.nTrackPos;
      return true;
    case SB_THUMBPOSITION:
      setValue(info.nTrackPos);
      return false;
    case SB_LINELEFT:
      setValue(info.nPos - 1);
      return false;
    case SB_LINERIGHT:
      setValue(info.nPos + 1);
      return false;
    case SB_PAGELEFT:
      setValue(info.nPos - kLargeChange);
      return false;
    case SB_PAGERIGHT:
      setValue(info.nPos + kLargeChange);
      return false;
    case SB_LEFT:
      setValue(0);
      return false;
    case SB_RIGHT:
      setValue(255);
      return false;
    default:
      return false;
  }
}

bool NativeOptionButton::value() const {
  return IsDlgButtonChecked(parent_, id_) == BST_CHECKED;
}

void NativeOptionButton::setValue(bool checked) {
  if (checked) {
    CheckRadioButton(parent_, firstId_, lastId_, id_);
  } else {
    CheckDlgButton(parent_, id_, BST_UNCHECKED);
  }
}

SwatchWindow::SwatchWindow(HWND parent, const RECT& box) {
  create(L"KepaSwatch", 0, WS_CHILD | WS_VISIBLE, "",
         {box.left, box.top, box.right - box.left, box.bottom - box.top}, parent);
}

void SwatchWindow::setBackColor(Colour colour) {
  backColor_ = colour;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void SwatchWindow::paint(HDC dc, const RECT&) const {
  RECT all;
  GetClientRect(hwnd(), &all);
  HBRUSH brush = CreateSolidBrush(colorRef(backColor_.resolved()));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

}  // namespace kepa
