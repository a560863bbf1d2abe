#include "frontends/fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>

#include "core/bmp.h"
#include "runtime/window_pos.h"

namespace kepa {

namespace {

MenuSnapshot snapshotOf(const MenuItem& item) {
  MenuSnapshot snapshot{
      item.name(), item.index(), item.caption(), item.visible, item.enabled, item.checked, {}};
  for (const auto& child : item.items()) {
    snapshot.items.push_back(snapshotOf(*child));
  }
  return snapshot;
}

// The item a user can choose by this name: it and every submenu above it are visible and
// enabled.
MenuItem* reachableItem(MenuItem& menu, const std::string& name) {
  for (const auto& item : menu.items()) {
    if (!item->visible || !item->enabled) continue;
    if (item->name() == name && item->items().empty()) return item.get();
    if (MenuItem* found = reachableItem(*item, name)) return found;
  }
  return nullptr;
}

// A screen Surface seen as the live screen.
class SurfaceScreen final : public PixelSource {
 public:
  explicit SurfaceScreen(const Surface& screen) : screen_(&screen) {}
  [[nodiscard]] std::int32_t width() const override { return screen_->width(); }
  [[nodiscard]] std::int32_t height() const override { return screen_->height(); }
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override {
    for (std::int32_t r = 0; r < h; ++r) {
      std::copy_n(screen_->row(sy + r) + sx, w, into.row(dy + r) + dx);
    }
  }

 private:
  const Surface* screen_;
};

}  // namespace

FakeDesktop::FakeDesktop() = default;

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

float FakeDesktop::screenWidthTwips() const {
  return static_cast<float>(screen.width()) * twipsPerPixel;
}

float FakeDesktop::screenHeightTwips() const {
  return static_cast<float>(screen.height()) * twipsPerPixel;
}

std::vector<Monitor> FakeDesktop::monitors() const {
  if (!monitorLayout.empty()) return monitorLayout;
  return {{{0, 0, screen.width(), screen.height()}, true}};
}

void FakeDesktop::setMousePointer(MousePointer pointer) {
  mousePointer = pointer;
  calls.push_back("MousePointer " + std::to_string(static_cast<int>(pointer)));
}

DeviceContext FakeDesktop::GetDC() {
  calls.emplace_back("GetDC");
  if (!screenUnreadable.empty()) return {};
  screenSource_ = std::make_unique<SurfaceScreen>(screen);
  return DeviceContext(*screenSource_);
}

void FakeDesktop::ReleaseDC(DeviceContext& screenDc) {
  calls.emplace_back("ReleaseDC");
  screenDc = DeviceContext();
  screenSource_.reset();
}

std::uint32_t FakeDesktop::windowHandle(FormWindow& window) {
  for (const auto& [handle, known] : handles_) {
    if (known == &window && loaded_.contains(known)) return handle;
  }
  const std::uint32_t handle = nextHandle_++;
  handles_[handle] = &window;
  return handle;
}

std::uint32_t FakeDesktop::iconHandle(const Surface& pixels) {
  const auto same = [&](const Surface& known) {
    if (known.width() != pixels.width() || known.height() != pixels.height()) return false;
    for (std::int32_t y = 0; y < pixels.height(); ++y) {
      if (!std::equal(pixels.row(y), pixels.row(y) + pixels.width(), known.row(y))) return false;
    }
    return true;
  };
  for (const auto& [handle, known] : icons_) {
    if (same(known)) return handle;
  }
  Surface copy(pixels.width(), pixels.height());
  for (std::int32_t y = 0; y < pixels.height(); ++y)
    std::copy_n(pixels.row(y), pixels.width(), copy.row(y));
  const std::uint32_t handle = nextHandle_++;
  icons_.emplace(handle, std::move(copy));
  return handle;
}

bool FakeDesktop::waitForNotificationArea(std::chrono::milliseconds timeout) {
  calls.push_back("waitForNotificationArea " + std::to_string(timeout.count()));
  if (whileWaiting) whileWaiting();
  return notificationAreaAvailable;
}

bool FakeDesktop::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& record) {
  calls.push_back(message == NIM_ADD      ? "Shell_NotifyIconA NIM_ADD"
                  : message == NIM_DELETE ? "Shell_NotifyIconA NIM_DELETE"
                                          : "Shell_NotifyIconA " + std::to_string(message));
  if (message == NIM_ADD) {
    if (icon) return false;
    icon = record;
    return true;
  }
  if (message == NIM_DELETE) {
    const bool had = icon.has_value();
    icon.reset();
    return had;
  }
  return false;
}

bool FakeDesktop::SetForegroundWindow(std::uint32_t hWnd) {
  calls.push_back("SetForegroundWindow " + std::to_string(hWnd));
  return window(hWnd) != nullptr;
}

bool FakeDesktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                               std::int32_t y, std::int32_t cx, std::int32_t cy,
                               std::uint32_t wFlags) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(wFlags));
  calls.push_back("SetWindowPos " + std::to_string(hWnd) + " " + std::to_string(hWndInsertAfter) +
                  " " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) +
                  " " + std::to_string(cy) + " " + flags);
  auto* fake = dynamic_cast<FakeWindow*>(window(hWnd));
  if (fake == nullptr) return false;
  if (hWndInsertAfter == HWND_TOPMOST) fake->topmost = true;
  if (hWndInsertAfter == HWND_NOTOPMOST) fake->topmost = false;
  if ((wFlags & SWP_NOMOVE) == 0) {
    fake->frame.x = x;
    fake->frame.y = y;
  }
  if ((wFlags & SWP_NOSIZE) == 0) {
    fake->frame.width = cx;
    fake->frame.height = cy;
  }
  if ((wFlags & SWP_SHOWWINDOW) != 0) fake->shown = true;
  if ((wFlags & SWP_HIDEWINDOW) != 0) fake->shown = false;
  return true;
}

std::optional<std::string> FakeDesktop::showSaveDialog(const SaveDialogRequest& request) {
  calls.emplace_back("showSaveDialog");
  saveDialogs.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(saveAnswers.front());
  saveAnswers.pop_front();
  return answer;
}

std::string FakeDesktop::AppPath() {
  return appPath;
}

std::string FakeDesktop::picturesPath() {
  return picturesFolder;
}

bool FakeDesktop::canWriteIn(const std::string& path) {
  return path == appPath && appPathWritable;
}

SaveOutcome FakeDesktop::SavePicture(const Surface& picture, const std::string& path) {
  calls.push_back("SavePicture " + path);
  if (!saveFailures.empty()) {
    std::string reason = std::move(saveFailures.front());
    saveFailures.pop_front();
    return {false, std::move(reason)};
  }
  if (picture.empty()) return {false, "画像の幅または高さが 0 のため、ビットマップにできません。"};
  files[path] = encodeBmp(picture);
  return {true, {}};
}

void FakeDesktop::showModal(FormWindow& modal, FormWindow*) {
  calls.emplace_back("showModal");
  if (auto* fake = dynamic_cast<FakeWindow*>(&modal)) fake->shown = true;
  ++modalDepth_;
  if (whileModal) whileModal(modal);
  --modalDepth_;
}

bool FakeDesktop::bringModalWindowForward() {
  if (modalDepth_ == 0) return false;
  calls.emplace_back("bringModalWindowForward");
  return true;
}

void FakeDesktop::ClipboardClear() {
  calls.emplace_back("Clipboard.Clear");
}

bool FakeDesktop::ClipboardSetData(const Surface& image) {
  calls.emplace_back("Clipboard.SetData");
  if (clipboardRefuses || image.empty()) return false;
  Surface copy(image.width(), image.height());
  for (std::int32_t y = 0; y < image.height(); ++y)
    std::copy_n(image.row(y), image.width(), copy.row(y));
  clipboard = std::move(copy);
  return true;
}

void FakeDesktop::DoEvents() {
  calls.emplace_back("DoEvents");
  unloaded_.clear();
}

void FakeDesktop::showMessage(MessageKind, const std::string& title, const std::string& text) {
  calls.emplace_back("showMessage");
  messages.push_back(title + ": " + text);
}

void FakeDesktop::endProgram(int code) {
  calls.push_back("endProgram " + std::to_string(code));
  exitCode = code;
}

MenuItem* FakeDesktop::showPopup(Menu& menu) {
  calls.push_back("PopupMenu " + menu.name());
  popups.push_back(snapshotOf(menu));
  if (whilePopup) whilePopup();
  if (menuChoices.empty()) return nullptr;
  const std::string choice = menuChoices.front();
  menuChoices.pop_front();
  if (choice.empty()) return nullptr;
  return reachableItem(menu, choice);
}

}  // namespace kepa
