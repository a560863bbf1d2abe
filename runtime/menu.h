// The model of a menu of a window: items with their captions, control-array indexes,
// Visible, Enabled and Checked states, submenus and click handlers. Desktop::PopupMenu shows
// it; the window code only reads and writes the model.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kepa {

class MenuItem {
 public:
  static constexpr int kNoIndex = -1;

  // A caption of "-" makes the item a separator.
  MenuItem(std::string name, std::string caption, int index = kNoIndex);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  ~MenuItem() = default;

  [[nodiscard]] const std::string& name() const { return name_; }
  [[nodiscard]] const std::string& caption() const { return caption_; }
  [[nodiscard]] int index() const { return index_; }
  [[nodiscard]] bool isSeparator() const { return caption_ == "-"; }

  bool visible = true;
  bool enabled = true;
  bool checked = false;

  // Adds a child and returns it; an item with children is a submenu.
  MenuItem& add(std::string name, std::string caption, int index = kNoIndex);
  [[nodiscard]] const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

  // The descendant with this name (and control-array index); throws std::out_of_range.
  [[nodiscard]] MenuItem& find(const std::string& name, int index = kNoIndex);

  // The click handler; items without one do nothing when chosen.
  void onClick(std::function<void()> handler) { click_ = std::move(handler); }
  void click() const {
    if (click_) click_();
  }

 private:
  MenuItem* search(const std::string& name, int index);

  std::string name_;
  std::string caption_;
  int index_;
  std::vector<std::unique_ptr<MenuItem>> items_;
  std::function<void()> click_;
};

// A top-level menu is an item whose children are the entries of the popup.
using Menu = MenuItem;

// "Caption[item|item(disabled)|sub[...]]": what a popup of `model` shows, as the menu
// trace (menu_trace.h) writes it.
[[nodiscard]] std::string menuTrace(const MenuItem& model);

}  // namespace kepa
