// The windows of the program as plain objects, for tests: each keeps what the code asked of
// it (shown, placed, repainted, its controls' values) and lets a test act as the user and the
// system do (tick a timer, drag a bar's thumb, move the mouse).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/form1_face.h"
#include "clip/form2_face.h"
#include "magnifier/form3_design.h"
#include "magnifier/form3_face.h"
#include "settings/form4_face.h"

namespace kepa {

class FakeDesktop;

// What every fake window shows of itself; SetWindowPos and showModal act on it.
class FakeWindow {
 public:
  FakeWindow() = default;
  FakeWindow(const FakeWindow&) = delete;
  FakeWindow& operator=(const FakeWindow&) = delete;
  virtual ~FakeWindow() = default;

  bool shown = false;
  bool topmost = false;
  bool raised = false;  // brought above the other windows since it was made
  Rect frame;           // on the desktop
};

class FakeTimer final : public Timer {
 public:
  explicit FakeTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
  void setInterval(int milliseconds) override { interval_ = milliseconds; }
  [[nodiscard]] int interval() const override { return interval_; }
  // The timer comes due: a running timer ticks.
  void elapse() const {
    if (interval_ != 0) onTick_();
  }

 private:
  std::function<void()> onTick_;
  int interval_ = 0;
};

class FakeLabel final : public Label {
 public:
  explicit FakeLabel(std::string caption) : caption_(std::move(caption)) {}
  void setCaption(const std::string& caption) override { caption_ = caption; }
  [[nodiscard]] std::string caption() const override { return caption_; }

 private:
  std::string caption_;
};

// A horizontal bar of 0 to 255.
class FakeScrollBar final : public ScrollBar {
 public:
  explicit FakeScrollBar(std::function<void()> onDrag) : onDrag_(std::move(onDrag)) {}
  [[nodiscard]] int value() const override { return value_; }
  void setValue(int value) override { value_ = thumb_ = value; }
  [[nodiscard]] int thumbPosition() const override { return thumb_; }
  // The user drags the thumb to `position`: the drag's event comes before the value follows.
  void dragThumb(int position) {
    thumb_ = position;
    onDrag_();
    value_ = position;
  }

 private:
  std::function<void()> onDrag_;
  int value_ = 0;
  int thumb_ = 0;
};

// One of a group of option buttons: checking it clears the others.
class FakeOptionButton final : public OptionButton {
 public:
  FakeOptionButton(int& checked, int number) : checked_(checked), number_(number) {}
  [[nodiscard]] bool value() const override { return checked_ == number_; }
  void setValue(bool checked) override {
    if (checked) {
      checked_ = number_;
    } else if (checked_ == number_) {
      checked_ = 0;
    }
  }

 private:
  int& checked_;
  int number_;
};

class FakeSwatch final : public Swatch {
 public:
  [[nodiscard]] Colour backColor() const override { return backColor_; }
  void setBackColor(Colour colour) override { backColor_ = colour; }

 private:
  Colour backColor_{Colour::kWindowBackground};
};

class FakeForm1Window final : public Form1Face, public FakeWindow {
 public:
  FakeForm1Window(FakeDesktop& desktop, float twipsPerPixel, Handlers handlers);
  void destroyLater() override;
  void show() override { shown = true; }
  void hide() override { shown = false; }
  [[nodiscard]] bool isVisible() const override { return shown; }
  [[nodiscard]] FakeTimer& Timer1() override { return timer1_; }

  // The system moves the mouse over the window to (x, y) pixels.
  void mouseMove(float x, float y) const;
  // Closed from outside (Alt+F4, or the system asking the program to end).
  void close() const { handlers_.closed(); }

 protected:
  void moveTo(Point topLeft) override { frame = {topLeft.x, topLeft.y, frame.width, frame.height}; }

 private:
  FakeDesktop& desktop_;
  Handlers handlers_;
  FakeTimer timer1_;
};

class FakeForm2Window final : public Form2Face, public FakeWindow {
 public:
  FakeForm2Window(FakeDesktop& desktop, Surface image, float twipsPerPixelX, float twipsPerPixelY,
                  Handlers handlers);
  void destroyLater() override;
  void showOverScreen() override;

  // The areas repainted since the last clear, in order.
  std::vector<Rect> invalidated;
  // Qt's start-drag distance by default.
  static constexpr int kDragDistance = 10;

 protected:
  void invalidate(const Rect& area) override { invalidated.push_back(area); }
  [[nodiscard]] int dragDistance() const override { return kDragDistance; }

 private:
  FakeDesktop& desktop_;
};

class FakeForm3Window final : public Form3Face, public FakeWindow {
 public:
  FakeForm3Window(FakeDesktop& desktop, float twipsPerPixelX, float twipsPerPixelY,
                  Handlers handlers);
  void destroyLater() override;
  [[nodiscard]] bool Visible() const override { return shown; }
  void raise() override { raised = true; }
  [[nodiscard]] Rect frameGeometry() const override { return frame; }
  void move(Point topLeft) override;
  [[nodiscard]] FakeTimer& Timer1() override { return timer1_; }
  [[nodiscard]] FakeLabel& LabelX() override { return labelX_; }
  [[nodiscard]] FakeLabel& LabelY() override { return labelY_; }

  // The mouse moves over the client area to (x, y), in its pixels.
  void mouseMove(float x, float y) const { handlers_.mouseMove(0, 0, x, y); }
  // The user closes the window with its close button.
  void close();

  // The client area's rows repainted since the last clear.
  std::vector<Rect> invalidated;

 protected:
  void repaintClient(const Rect& area) override { invalidated.push_back(area); }

 private:
  FakeDesktop& desktop_;
  Handlers handlers_;
  FakeTimer timer1_;
  FakeLabel labelX_{kForm3Labels[1].caption};
  FakeLabel labelY_{kForm3Labels[3].caption};
};

class FakeForm4Window final : public Form4Face, public FakeWindow {
 public:
  // Its design size, 320 x 288 pixels at 15 twips per pixel.
  FakeForm4Window(FakeDesktop& desktop, float twipsPerPixelX, float twipsPerPixelY,
                  Handlers handlers);
  void destroyLater() override;
  [[nodiscard]] FakeSwatch& RPicture1() override { return swatches_[0]; }
  [[nodiscard]] FakeLabel& RLabel() override { return labels_[0]; }
  [[nodiscard]] FakeScrollBar& RScroll1() override { return bars_[0]; }
  [[nodiscard]] FakeSwatch& GPicture1() override { return swatches_[1]; }
  [[nodiscard]] FakeLabel& GLabel() override { return labels_[1]; }
  [[nodiscard]] FakeScrollBar& GScroll1() override { return bars_[1]; }
  [[nodiscard]] FakeSwatch& BPicture1() override { return swatches_[2]; }
  [[nodiscard]] FakeLabel& BLabel() override { return labels_[2]; }
  [[nodiscard]] FakeScrollBar& BScroll1() override { return bars_[2]; }
  [[nodiscard]] FakeOptionButton& Option(int k) override {
    return options_.at(static_cast<std::size_t>(k - 1));
  }
  [[nodiscard]] std::int32_t width() const override { return frame.width; }
  [[nodiscard]] std::int32_t height() const override { return frame.height; }
  void move(Point topLeft) override;

  // The user clicks OK or Cancel, or closes the window.
  void clickOk() const { handlers_.command1(); }
  void clickCancel() const { handlers_.command2(); }
  void close() const { handlers_.closed(); }

 private:
  FakeDesktop& desktop_;
  Handlers handlers_;
  std::array<FakeSwatch, 3> swatches_;
  std::array<FakeLabel, 3> labels_{{FakeLabel(""), FakeLabel(""), FakeLabel("")}};
  std::array<FakeScrollBar, 3> bars_{{FakeScrollBar([this] { handlers_.rScroll(); }),
                                      FakeScrollBar([this] { handlers_.gScroll(); }),
                                      FakeScrollBar([this] { handlers_.bScroll(); })}};
  int checkedOption_ = 0;
  std::array<FakeOptionButton, 6> options_{
      {FakeOptionButton(checkedOption_, 1), FakeOptionButton(checkedOption_, 2),
       FakeOptionButton(checkedOption_, 3), FakeOptionButton(checkedOption_, 4),
       FakeOptionButton(checkedOption_, 5), FakeOptionButton(checkedOption_, 6)}};
};

}  // namespace kepa
