#include "frontends/fake/fake_desktop.h"

namespace kepa {

FakeDesktop::FakeDesktop() : Dialogs(static_cast<ProgramLife&>(*this)) {}

void FakeDesktop::sendIconEvent(std::uint32_t mouseMessage) const {
  if (!icon || (icon->uFlags & NIF_MESSAGE) == 0 || icon->uCallbackMessage != WM_MOUSEMOVE) return;
  if (auto* form1 = dynamic_cast<FakeForm1Window*>(window(icon->hWnd))) {
    form1->mouseMove(static_cast<float>(mouseMessage), 0.0F);
  }
}

FormWindow* FakeDesktop::window(std::uint32_t handle) const {
  const auto found = handles_.find(handle);
  return found != handles_.end() && loaded_.contains(found->second) ? found->second : nullptr;
}

const Surface* FakeDesktop::iconOf(std::uint32_t handle) const {
  const auto found = icons_.find(handle);
  return found == icons_.end() ? nullptr : &found->second;
}

WindowFactories FakeDesktop::windows() {
  return {
      .form1 = [this](float twipsPerPixel,
                      Form1Face::Handlers handlers) -> std::unique_ptr<Form1Face> {
        return std::make_unique<FakeForm1Window>(*this, twipsPerPixel, std::move(handlers));
      },
      .form2 = [this](Surface image, float twipsPerPixelX, float twipsPerPixelY,
                      Form2Face::Handlers handlers) -> std::unique_ptr<Form2Face> {
        return std::make_unique<FakeForm2Window>(*this, std::move(image), twipsPerPixelX,
                                                 twipsPerPixelY, std::move(handlers));
      },
      .form3 = [this](float twipsPerPixelX, float twipsPerPixelY,
                      Form3Face::Handlers handlers) -> std::unique_ptr<Form3Face> {
        return std::make_unique<FakeForm3Window>(*this, twipsPerPixelX, twipsPerPixelY,
                                                 std::move(handlers));
      },
      .form4 = [this](float twipsPerPixelX, float twipsPerPixelY,
                      Form4Face::Handlers handlers) -> std::unique_ptr<Form4Face> {
        return std::make_unique<FakeForm4Window>(*this, twipsPerPixelX, twipsPerPixelY,
                                                 std::move(handlers));
      },
  };
}

void FakeDesktop::opened(FormWindow& window) {
  loaded_.insert(&window);
}

void FakeDesktop::unloaded(FormWindow& window) {
  loaded_.erase(&window);
  if (auto* fake = dynamic_cast<FakeWindow*>(&window)) fake->shown = false;
  unloaded_.emplace_back(&window);
}

void FakeDesktop::DoEvents() {
  calls.emplace_back("DoEvents");
  unloaded_.clear();
}

void FakeDesktop::pause(std::chrono::milliseconds time) {
  paused += time;
}

void FakeDesktop::endProgram(int code) {
  calls.push_back("endProgram " + std::to_string(code));
  exitCode = code;
}

}  // namespace kepa
