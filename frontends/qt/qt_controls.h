// The controls whose values the handlers read and write, as Qt widgets.
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include "runtime/controls.h"

namespace kepa {

class QtLabel final : public QLabel, public Label {
 public:
  QtLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}
  void setCaption(const std::string& caption) override { setText(QString::fromStdString(caption)); }
  [[nodiscard]] std::string caption() const override { return text().toStdString(); }
};

class QtScrollBar final : public QScrollBar, public ScrollBar {
 public:
  explicit QtScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}
  [[nodiscard]] int value() const override { return QScrollBar::value(); }
  void setValue(int value) override { QScrollBar::setValue(value); }
  [[nodiscard]] int thumbPosition() const override { return sliderPosition(); }
};

class QtOptionButton final : public QRadioButton, public OptionButton {
 public:
  explicit QtOptionButton(QWidget* parent) : QRadioButton(parent) {}
  [[nodiscard]] bool value() const override { return isChecked(); }
  void setValue(bool checked) override { setChecked(checked); }
};

// A picture box used as a swatch: it shows its background colour.
class QtSwatch final : public QWidget, public Swatch {
 public:
  explicit QtSwatch(QWidget* parent) : QWidget(parent) {}
  [[nodiscard]] Colour backColor() const override { return backColor_; }
  void setBackColor(Colour colour) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour backColor_{Colour::kWindowBackground};
};

}  // namespace kepa
