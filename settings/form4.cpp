#include "settings/form4.h"

#include <string>

#include "effects/surprise.h"

namespace kepa {

namespace {

// A value label: one blank, the sign position of a non-negative number, and the digits.
std::string valueText(int value) {
  return " " + std::to_string(value);
}

}  // namespace

Form4::Form4(Module1& module1, Screen& screen, Dialogs& dialogs, Form4Face::Factory makeWindow)
    : module1_(module1),
      screen_(screen),
      dialogs_(dialogs),
      createWindow_(std::move(makeWindow)),
      window_([this] { return createWindow(); }, [this] { Form_Load(); }) {}

std::unique_ptr<Form4Face> Form4::createWindow() {
  return createWindow_(screen_.twipsPerPixelX(), screen_.twipsPerPixelY(),
                       Form4Face::Handlers{
                           .rScroll = [this] { RScroll1_Scroll(); },
                           .gScroll = [this] { GScroll1_Scroll(); },
                           .bScroll = [this] { BScroll1_Scroll(); },
                           .command1 = [this] { Command1_Click(); },
                           .command2 = [this] { Command2_Click(); },
                           // The close button stores nothing.
                           .closed = [this] { Unload(); },
                       });
}

void Form4::ShowModal(FormWindow* owner) {
  // It opens centred on the primary monitor, not on the clipping window, which spans them all.
  Form4Face& form = window();
  form.move(centredOn(primaryMonitor(screen_.monitors()), form.width(), form.height()));
  dialogs_.showModal(form, owner);
}

void Form4::Form_Load() {
  Form4Face& form = window();
  module1_.CustomCancelled = false;
  form.RLabel().setCaption(valueText(module1_.SliderR));
  form.GLabel().setCaption(valueText(module1_.SliderG));
  form.BLabel().setCaption(valueText(module1_.SliderB));
  form.RScroll1().setValue(module1_.SliderR);
  form.GScroll1().setValue(module1_.SliderG);
  form.BScroll1().setValue(module1_.SliderB);
  form.RPicture1().setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderR)));
  form.GPicture1().setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderG) * 256U));
  form.BPicture1().setBackColor(Colour(static_cast<std::uint32_t>(module1_.SliderB) * 65536U));
  const int option = module1_.CustomOption;
  if (option >= 1 && option <= 6) form.Option(option).setValue(true);
}

// A thumb drag shows the bar's position in its swatch and label and keeps it in Module1. The
// position is the thumb's, which the bar's value follows only after the drag's signal.
void Form4::RScroll1_Scroll() {
  Form4Face& form = window();
  const int v = form.RScroll1().thumbPosition();
  form.RPicture1().setBackColor(Colour(static_cast<std::uint32_t>(v)));
  form.RLabel().setCaption(valueText(v));
  module1_.SliderR = static_cast<std::int16_t>(v);
}

void Form4::GScroll1_Scroll() {
  Form4Face& form = window();
  const int v = form.GScroll1().thumbPosition();
  form.GPicture1().setBackColor(Colour(static_cast<std::uint32_t>(v) * 256U));
  form.GLabel().setCaption(valueText(v));
  module1_.SliderG = static_cast<std::int16_t>(v);
}

void Form4::BScroll1_Scroll() {
  Form4Face& form = window();
  const int v = form.BScroll1().thumbPosition();
  form.BPicture1().setBackColor(Colour(static_cast<std::uint32_t>(v) * 65536U));
  form.BLabel().setCaption(valueText(v));
  module1_.SliderB = static_cast<std::int16_t>(v);
}

void Form4::Command1_Click() {
  Form4Face& form = window();
  module1_.CustomR = static_cast<std::int16_t>(form.RScroll1().value());
  module1_.CustomG = static_cast<std::int16_t>(form.GScroll1().value());
  module1_.CustomB = static_cast<std::int16_t>(form.BScroll1().value());
  module1_.CustomColorText = customColorText(module1_.CustomR, module1_.CustomG, module1_.CustomB);
  for (int k = 1; k <= 6; ++k) {
    if (form.Option(k).value()) {
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
