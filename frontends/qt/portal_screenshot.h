// The screen through the desktop's screenshot portal (org.freedesktop.portal.Screenshot), for
// sessions whose X server does not see the screen: under Xwayland a grab of the root window
// holds none of the Wayland windows, only black. The portal answers with the file of a PNG
// of the whole screen, which is read with Qt's reader and removed.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <QImage>

namespace kepa {

class PortalScreenshot {
 public:
  enum class Failure {
    None,
    // No portal answers on the session bus, or it has no screenshot interface.
    Missing,
    // The portal said no: the user, or a desktop that asks the user first and could not.
    Refused,
    // The portal gave no picture that could be read, or no answer in time.
    Unreadable,
  };

  // The whole screen as it is now, or nothing (failure() says why). Qt's events go on while
  // it waits for the portal, but none of the program's handlers runs.
  [[nodiscard]] std::optional<QImage> take(std::chrono::milliseconds timeout);
  [[nodiscard]] Failure failure() const { return failure_; }

  // Asks the portal once more without waiting, and throws the picture away. A desktop that
  // asks the user before a program's first screenshot asks only while one of the program's
  // windows has the focus: this is called while one does, so that the next take succeeds.
  void askAgain();

  // What a failure means to the user, in Japanese.
  [[nodiscard]] static std::string explanation(Failure failure);

 private:
  Failure failure_ = Failure::None;
};

}  // namespace kepa
