// A private X session for driving the program: Xvfb on a free display, optionally icewm as
// window manager and tray host, and what drivers ask of it (windows, pixels, input).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QRect>

#include "tools/xdriver/process.h"

struct _XDisplay;

namespace kepa::xdriver {

struct XWindow {
  unsigned long id = 0;
  QRect geometry;  // in root coordinates
  bool overrideRedirect = false;
  bool embedded = false;  // an XEmbed client inside another window: a tray icon
  std::string type;       // _NET_WM_WINDOW_TYPE, e.g. "_NET_WM_WINDOW_TYPE_DIALOG"
  std::string name;       // _NET_WM_NAME or WM_NAME
};

class XSession {
 public:
  enum class Desktop { WithWindowManager, BareServer };
  // A session bus of the session's own (so that runs never meet a bus outside), or none.
  enum class SessionBus { Private, None };

  // serverOptions are added to Xvfb's command line (e.g. "-extension", "MIT-SHM" to run a
  // server without shared memory).
  explicit XSession(Desktop desktop = Desktop::WithWindowManager, int width = 1024,
                    int height = 768, const std::vector<std::string>& serverOptions = {},
                    SessionBus bus = SessionBus::Private);
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;
  ~XSession();

  [[nodiscard]] const std::string& display() const { return display_; }
  [[nodiscard]] const std::string& directory() const { return directory_; }
  // DISPLAY, a private HOME and runtime directory and the session bus (or an address where
  // no bus answers) for programs run in the session.
  [[nodiscard]] std::map<std::string, std::string> environment() const;

  // The mapped windows of process `pid`, in stacking order from the bottom.
  [[nodiscard]] std::vector<XWindow> windowsOf(pid_t pid);
  // The icons docked in the tray, of whatever process.
  [[nodiscard]] std::vector<XWindow> trayIcons();
  [[nodiscard]] QImage screenshot();
  // The screen's rectangle in pixels.
  [[nodiscard]] QRect screen();
  // Saves a screenshot in the session directory and returns its path.
  std::string saveScreenshot(const std::string& name);

  // Makes `picture` the root window's background: the server itself repaints it wherever
  // no window covers it.
  void setRootPicture(const QImage& picture);

  // Opens a plain window of another program, filled with `colour`, for the window manager to
  // frame and stack; returns its id.
  unsigned long openWindow(const QRect& geometry, QRgb colour);
  // Fills that window with another colour.
  void recolourWindow(unsigned long window, QRgb colour);
  // Where the pointer is, in root coordinates.
  [[nodiscard]] QPoint pointer();

  // Starts the window manager and tray host (on a bare server: as when a panel comes up
  // late); true once its tray is there.
  bool startWindowManager();
  // Ends the window manager (and with it the tray host), as when a panel crashes, and starts
  // it again; true once its tray is back.
  bool restartWindowManager();

  // Runs xdotool with these arguments in the session; true when it succeeded.
  bool xdotool(const std::string& arguments) const;
  // Runs a shell command line in the session (its DISPLAY set); true when it succeeded.
  bool run(const std::string& commandLine) const;
  // Merges X resources into the server's database, as a desktop's settings daemon does
  // (e.g. "Xft.dpi: 192" for a 200 % desktop).
  bool setResources(const std::string& resources) const;

 private:
  void startSessionBus();

  std::string directory_;
  std::string display_;
  std::unique_ptr<Process> server_;
  std::unique_ptr<Process> windowManager_;
  std::unique_ptr<Process> bus_;
  std::string busAddress_;
  _XDisplay* connection_ = nullptr;
};

}  // namespace kepa::xdriver
