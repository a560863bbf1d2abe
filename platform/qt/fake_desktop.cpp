#include "platform/qt/fake_desktop.h"

#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QWidget>

#include "platform/qt/window_pos.h"

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
  if (icon) registry_.deliverIconEvent(*icon, mouseMessage);
}

QIcon FakeDesktop::iconOf(std::uint32_t handle) const {
  return registry_.icon(handle);
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

std::uint32_t FakeDesktop::windowHandle(QWidget& window) {
  return registry_.windowHandle(window);
}

std::uint32_t FakeDesktop::iconHandle(const QIcon& iconToRegister) {
  return registry_.iconHandle(iconToRegister);
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
  return registry_.window(hWnd) != nullptr;
}

bool FakeDesktop::SetWindowPos(std::uint32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t x,
                               std::int32_t y, std::int32_t cx, std::int32_t cy,
                               std::uint32_t wFlags) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(wFlags));
  calls.push_back("SetWindowPos " + std::to_string(hWnd) + " " + std::to_string(hWndInsertAfter) +
                  " " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) +
                  " " + std::to_string(cy) + " " + flags);
  QWidget* window = registry_.window(hWnd);
  if (window == nullptr) return false;
  applyWindowPos(*window, hWndInsertAfter, x, y, cx, cy, wFlags);
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

void FakeDesktop::showModal(QWidget& window, QWidget*) {
  calls.emplace_back("showModal");
  window.show();
  ++modalDepth_;
  if (whileModal) whileModal(window);
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
  QCoreApplication::processEvents();
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
