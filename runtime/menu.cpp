#include "runtime/menu.h"

#include <stdexcept>

namespace kepa {

MenuItem::MenuItem(std::string name, std::string caption, int index)
    : name_(std::move(name)), caption_(std::move(caption)), index_(index) {}

MenuItem& MenuItem::add(std::string name, std::string caption, int index) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), index));
  return *items_.back();
}

MenuItem& MenuItem::find(const std::string& name, int index) {
  if (MenuItem* found = search(name, index)) return *found;
  throw std::out_of_range("no menu item " + name + "(" + std::to_string(index) + ")");
}

MenuItem* MenuItem::search(const std::string& name, int index) {
  for (const auto& item : items_) {
    if (item->name_ == name && item->index_ == index) return item.get();
    if (MenuItem* found = item->search(name, index)) return found;
  }
  return nullptr;
}

namespace {

void traceItems(const MenuItem& model, std::string& line) {
  for (const auto& item : model.items()) {
    if (!item->visible) continue;
    line += line.back() == '[' ? "" : "|";
    line += item->caption();
    if (!item->enabled) line += "(disabled)";
    if (item->checked) line += "(checked)";
    if (!item->items().empty()) {
      line += "[";
      traceItems(*item, line);
      line += "]";
    }
  }
}

}  // namespace

std::string menuTrace(const MenuItem& model) {
  std::string line = model.caption() + "[";
  traceItems(model, line);
  return line + "]";
}

}  // namespace kepa
