#include "settings/form4.h"

#include <QString>

#include "effects/surprise.h"

namespace kepa {

namespace {

// A value label: one blank, the sign position of a non-negative number, and the digits.
QString valueText(int value) {
  return QStringLiteral(" ") + QString::number(value);
}

}  // namespace

Form4::Form4(Module1& module1, Desktop& desktop)
    : module1_(module1),
      desktop_(desktop),
      window_([this] { return createWindow(); }, [this] { Form_Load(); }) {}

std::unique_ptr<Form4Window> Form4::createWindow() {
  return std::make_unique<Form4Window>(desktop_.twipsPerPixelX(), desktop_.twipsPerPixelY(),
                                       Form4Window::Handlers{
                                           .rScroll = [this] { RScroll1_Scroll(); },
                                           .gScroll = [this] { GScroll1_Scroll(); },
                                           .bScroll = [this] { BScroll1_Scroll(); },
                                           .command1 = [this] { Command1_Click(); },
                                           .command2 = [this] { Command2_Click(); },
                                           // The close button stores nothing.
                                           .closed = [this] { Unload(); },
                                       });
}

void Form4::ShowModal(QWidget* owner) {
  // It opens centred on the primary monitor, not on the clipping window, which spans them all.
  Form4Window& form = window();
  const Point at = centredOn(primaryMonitor(desktop_.monitors()), form.width(), form.height());
  form.move(at.x, at.y);
  desktop_.showModal(form, owner);
}

void Form4::Form_Load() {
  Form4Window& form = window();
  module1_.CustomCancelled = false;
  form.RLabel->setText(valueText(module1_.SliderR));
  form.GLabel->setText(valueText(module1_.SliderG));
  form.BLabel->setText(valueText(module1_.SliderB));
  form.RScroll1->setValue(module1_.SliderR);
  form.GScroll1->setValue(module1_.SliderG);
  form.BScroll1->setValue(module1_.SliderB);
  form.RPicture1->setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderR)));
  form.GPicture1->setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderG) * 256U));
  form.BPicture1->setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderB) * 65536U));
  const int option = module1_.CustomOption;
  if (option >= 1 && option <= 6)
    form.Option[static_cast<std::size_t>(option - 1)]->setChecked(true);
}

// A thumb drag shows the bar's position in its swatch and label and keeps it in Module1. The
// position is the thumb's, which the bar's value follows only after the drag's signal.
void Form4::RScroll1_Scroll() {
  Form4Window& form = window();
  const int v = form.RScroll1->sliderPosition();
  form.RPicture1->setBackColor(Colour(static_cast<std::uint32_t>(v)));
  form.RLabel->setText(valueText(v));
  module1_.SliderR = static_cast<std::int16_t>(v);
}

void Form4::GScroll1_Scroll() {
  Form4Window& form = window();
  const int v = form.GScroll1->sliderPosition();
  form.GPicture1->setBackColor(Colour(static_cast<std::uint32_t>(v) * 256U));
  form.GLabel->setText(valueText(v));
  module1_.SliderG = static_cast<std::int16_t>(v);
}

void Form4::BScroll1_Scroll() {
  Form4Window& form = window();
  const int v = form.BScroll1->sliderPosition();
  form.BPicture1->setBackColor(Colour(static_cast<std::uint32_t>(v) * 65536U));
  form.BLabel->setText(valueText(v));
  module1_.SliderB = static_cast<std::int16_t>(v);
}

void Form4::Command1_Click() {
  Form4Window& form = window();
  module1_.CustomR = static_cast<std::int16_t>(form.RScroll1->value());
  module1_.CustomG = static_cast<std::int16_t>(form.GScroll1->value());
  module1_.CustomB = static_cast<std::int16_t>(form.BScroll1->value());
  module1_.CustomColorText = customColorText(module1_.CustomR, module1_.CustomG, module1_.CustomB);
  for (int k = 1; k <= 6; ++k) {
    if (form.Option[static_cast<std::size_t>(k - 1)]->isChecked()) {
      module1_.CustomAlgorithm = static_cast<std::int16_t>(k - 1);
      module1_.CustomOption = static_cast<std::int16_t>(k);
    }
  }
  Unload();
}

void Form4::Command2_Click() {
  module1_.CustomCancelled = true;
  Unload();
}

}  // namespace kepa
