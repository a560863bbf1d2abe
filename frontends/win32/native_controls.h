// The controls whose values the handlers read and write, as Windows' own controls: a static
// label, a horizontal scroll bar of 0 to 255, an option button of a group, and a swatch (a
// child window that shows its background colour).
#pragma once

#include <string>

#include "frontends/win32/native_window.h"
#include "runtime/controls.h"

namespace kepa {

// A child control of `parent` of a system class, with the font given.
[[nodiscard]] HWND makeControl(HWND parent, const wchar_t* className, const std::string& text,
                               DWORD style, const RECT& box, int id, HFONT font);

class NativeLabel final : public Label {
 public:
  explicit NativeLabel(HWND control) : control_(control) {}
  void setCaption(const std::string& caption) override;
  [[nodiscard]] std::string caption() const override;

 private:
  HWND control_;
};

class NativeScrollBar final : public ScrollBar {
 public:
  explicit NativeScrollBar(HWND control);
  [[nodiscard]] int value() const override;
  void setValue(int value) override;
  [[nodiscard]] int thumbPosition() const override { return thumb_; }
  [[nodiscard]] HWND control() const { return control_; }
  // A WM_HSCROLL of the bar: true for a drag of its thumb, which the handler then hears of.
  bool scrolled(WORD code);

 private:
  HWND control_;
  int thumb_ = 0;
};

class NativeOptionButton final : public OptionButton {
 public:
  NativeOptionButton(HWND parent, int id, int firstId, int lastId)
      : parent_(parent), id_(id), firstId_(firstId), lastId_(lastId) {}
  [[nodiscard]] bool value() const override;
  void setValue(bool checked) override;

 private:
  HWND parent_;
  int id_;
  int firstId_;
  int lastId_;
};

class SwatchWindow final : public NativeWindow, public Swatch {
 public:
  SwatchWindow(HWND parent, const RECT& box);
  [[nodiscard]] Colour backColor() const override { return backColor_; }
  void setBackColor(Colour colour) override;

 protected:
  void paint(HDC dc, const RECT& area) const override;

 private:
  Colour backColor_{Colour::kWindowBackground};
};

}  // namespace kepa
