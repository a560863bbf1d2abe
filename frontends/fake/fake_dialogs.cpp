#include "frontends/fake/fake_desktop.h"

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

}  // namespace

std::optional<std::string> FakeDesktop::runSaveDialog(const SaveDialogRequest& request) {
  calls.emplace_back("showSaveDialog");
  saveDialogs.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(saveAnswers.front());
  saveAnswers.pop_front();
  return answer;
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

void FakeDesktop::showMessage(MessageKind, const std::string& title, const std::string& text) {
  calls.emplace_back("showMessage");
  messages.push_back(title + ": " + text);
}

PopupOutcome FakeDesktop::showPopup(Menu& menu) {
  calls.push_back("PopupMenu " + menu.name());
  popups.push_back(snapshotOf(menu));
  if (whilePopup) whilePopup();
  if (menuChoices.empty()) return {};
  const std::string choice = menuChoices.front();
  menuChoices.pop_front();
  if (choice.empty()) return {};
  return {reachableItem(menu, choice)};
}

}  // namespace kepa
