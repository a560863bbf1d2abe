// The controls whose values the windows' handlers read and write, as faces: the front end
// gives each the real control behind it.
#pragma once

#include <string>

#include "core/colour.h"

namespace kepa {

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;
};

class Label : public Control {
 public:
  virtual void setCaption(const std::string& caption) = 0;
  [[nodiscard]] virtual std::string caption() const = 0;
};

// A scroll bar: Value, and the thumb's position during a drag, which Value follows only at
// its end.
class ScrollBar : public Control {
 public:
  [[nodiscard]] virtual int value() const = 0;
  virtual void setValue(int value) = 0;
  [[nodiscard]] virtual int thumbPosition() const = 0;
};

class OptionButton : public Control {
 public:
  [[nodiscard]] virtual bool value() const = 0;
  virtual void setValue(bool checked) = 0;
};

// A picture box that only shows its background colour.
class Swatch : public Control {
 public:
  [[nodiscard]] virtual Colour backColor() const = 0;
  virtual void setBackColor(Colour colour) = 0;
};

}  // namespace kepa
