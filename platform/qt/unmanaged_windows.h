// Moving the program's unmanaged windows (the full-screen clipping window and the magnifier)
// out of the way of a window the window manager stacks, such as a dialog.
//
// No window manager puts one of its windows above an unmanaged one, so a dialog opened over
// the frozen screen would open beneath it, out of sight. While one of these lives, the
// unmanaged windows lie at the bottom of the stack; afterwards they come back on top in the
// order they had.
#pragma once

#include <vector>

#include <QPointer>
#include <QWindow>

namespace kepa {

class UnmanagedWindowsAside {
 public:
  UnmanagedWindowsAside();
  UnmanagedWindowsAside(const UnmanagedWindowsAside&) = delete;
  UnmanagedWindowsAside& operator=(const UnmanagedWindowsAside&) = delete;
  ~UnmanagedWindowsAside();

 private:
  std::vector<QPointer<QWindow>> lowered_;  // bottom first, as they were stacked
};

}  // namespace kepa
