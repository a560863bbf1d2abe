#include "frontends/fake/fake_windows.h"

#include "core/design_pixels.h"
#include "core/numeric.h"
#include "frontends/fake/fake_desktop.h"
#include "settings/form4_design.h"

namespace kepa {

FakeForm1Window::FakeForm1Window(FakeDesktop& desktop, float twipsPerPixel, Handlers handlers)
    : Form1Face(twipsPerPixel),
      desktop_(desktop),
      handlers_(std::move(handlers)),
      timer1_([this] { handlers_.timer1(); }) {
  frame = {0, 0, sizeInPixels().x, sizeInPixels().y};
  desktop_.opened(*this);
}

void FakeForm1Window::destroyLater() {
  desktop_.unloaded(*this);
}

void FakeForm1Window::mouseMove(float x, float y) const {
  handlers_.mouseMove(0, 0, x * twipsPerPixel(), y * twipsPerPixel());
}

FakeForm2Window::FakeForm2Window(FakeDesktop& desktop, Surface image, float twipsPerPixelX,
                                 float twipsPerPixelY, Handlers handlers)
    : Form2Face(std::move(image), twipsPerPixelX, twipsPerPixelY, std::move(handlers)),
      desktop_(desktop) {
  desktop_.opened(*this);
}

void FakeForm2Window::destroyLater() {
  desktop_.unloaded(*this);
}

void FakeForm2Window::showOverScreen() {
  frame = {0, 0, image.width(), image.height()};
  shown = true;
  raised = true;
}

FakeForm3Window::FakeForm3Window(FakeDesktop& desktop, float twipsPerPixelX, float twipsPerPixelY,
                                 Handlers handlers)
    : Form3Face(twipsPerPixelX, twipsPerPixelY),
      desktop_(desktop),
      handlers_(std::move(handlers)),
      timer1_([this] { handlers_.timer1(); }) {
  frame = {0, 0, clientImage().width(), clientImage().height()};
  desktop_.opened(*this);
}

void FakeForm3Window::destroyLater() {
  desktop_.unloaded(*this);
}

void FakeForm3Window::move(Point topLeft) {
  frame.x = topLeft.x;
  frame.y = topLeft.y;
}

void FakeForm3Window::close() {
  shown = false;
  handlers_.closed();
}

FakeForm4Window::FakeForm4Window(FakeDesktop& desktop, float twipsPerPixelX, float twipsPerPixelY,
                                 Handlers handlers)
    : desktop_(desktop), handlers_(std::move(handlers)) {
  frame = designToPixels(kForm4Client, twipsPerPixelX, twipsPerPixelY);
  desktop_.opened(*this);
}

void FakeForm4Window::destroyLater() {
  desktop_.unloaded(*this);
}

void FakeForm4Window::move(Point topLeft) {
  frame.x = topLeft.x;
  frame.y = topLeft.y;
}

}  // namespace kepa
