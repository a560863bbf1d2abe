#include "tools/xdriver/x_session.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kepa::xdriver {

namespace {

// Windows come and go while the tests look at them; a request on one that has just gone
// is not an error worth stopping for.
int ignoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

std::string atomName(Display* x, Atom atom) {
  char* name = XGetAtomName(x, atom);
  std::string text = name != nullptr ? name : "";
  if (name != nullptr) XFree(name);
  return text;
}

// The first item of a window property, or nothing.
bool cardinalProperty(Display* x, Window window, const char* property, unsigned long& value) {
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, window, XInternAtom(x, property, False), 0, 1, False, AnyPropertyType,
                         &type, &format, &items, &after, &data) != Success ||
      data == nullptr) {
    return false;
  }
  const bool found = items > 0 && format == 32;
  if (found) value = *reinterpret_cast<unsigned long*>(data);
  XFree(data);
  return found;
}

std::string textProperty(Display* x, Window window) {
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(x, "UTF8_STRING", False), &type, &format, &items, &after,
                         &data) == Success &&
      data != nullptr) {
    std::string text(reinterpret_cast<char*>(data), items);
    XFree(data);
    if (!text.empty()) return text;
  }
  char* name = nullptr;
  if (XFetchName(x, window, &name) != 0 && name != nullptr) {
    std::string text = name;
    XFree(name);
    return text;
  }
  return {};
}

void collect(Display* x, Window window, pid_t pid, std::vector<XWindow>& found) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(x, window, &root, &parent, &children, &count) == 0) return;
  for (unsigned int i = 0; i < count; ++i) {
    const Window child = children[i];
    XWindowAttributes attributes;
    if (XGetWindowAttributes(x, child, &attributes) == 0) continue;
    unsigned long owner = 0;
    if (attributes.map_state == IsViewable && cardinalProperty(x, child, "_NET_WM_PID", owner) &&
        (pid <= 0 || static_cast<pid_t>(owner) == pid)) {
      XWindow info;
      info.id = child;
      int rootX = 0;
      int rootY = 0;
      Window ignored = 0;
      XTranslateCoordinates(x, child, root, 0, 0, &rootX, &rootY, &ignored);
      info.geometry = QRect(rootX, rootY, attributes.width, attributes.height);
      info.overrideRedirect = attributes.override_redirect != 0;
      unsigned long embed = 0;
      // Qt marks all its windows with _XEMBED_INFO; only the icon is embedded in another.
      info.embedded = window != root && cardinalProperty(x, child, "_XEMBED_INFO", embed);
      unsigned long type = 0;
      if (cardinalProperty(x, child, "_NET_WM_WINDOW_TYPE", type)) {
        info.type = atomName(x, static_cast<Atom>(type));
      }
      info.name = textProperty(x, child);
      found.push_back(info);
    }
    collect(x, child, pid, found);
  }
  if (children != nullptr) XFree(children);
}

}  // namespace

XSession::XSession(Desktop desktop, int width, int height,
                   const std::vector<std::string>& serverOptions, SessionBus bus) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kepa-e2e-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
  std::filesystem::create_directories(directory_ + "/home");
  std::filesystem::create_directories(directory_ + "/runtime");
  std::filesystem::permissions(directory_ + "/runtime", std::filesystem::perms::owner_all);
  if (bus == SessionBus::Private) {
    startSessionBus();
  } else {
    busAddress_ = "unix:path=" + directory_ + "/no-bus";
  }

  // -displayfd picks a free display number and reports it on standard output.
  const std::string numberFile = directory_ + "/display";
  std::vector<std::string> command{
      "Xvfb",      "-displayfd", "1",
      "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
      "-nolisten", "tcp",        "-noreset"};
  command.insert(command.end(), serverOptions.begin(), serverOptions.end());
  server_ = std::make_unique<Process>(command, std::map<std::string, std::string>{}, numberFile,
                                      directory_ + "/xvfb.log");
  if (!waitUntil([&] { return readFile(numberFile).find('\n') != std::string::npos; },
                 std::chrono::seconds(20))) {
    throw std::runtime_error("Xvfb did not start");
  }
  // Appended rather than inserted in front of a temporary: GCC 12 at -O3 sees a false
  // overlap in that insertion (-Wrestrict, GCC bug 105329).
  const std::string number = readFile(numberFile);
  display_ = std::string(1, ':').append(number, 0, number.find('\n'));
  XSetErrorHandler(ignoreXErrors);
  connection_ = XOpenDisplay(display_.c_str());
  if (connection_ == nullptr) throw std::runtime_error("cannot open " + display_);

  if (desktop == Desktop::WithWindowManager && !startWindowManager()) {
    throw std::runtime_error("icewm's tray did not appear");
  }
}

void XSession::startSessionBus() {
  // A bus that only this session's programs use, without service activation, so that nothing
  // is started behind the tests' backs.
  const std::string config = directory_ + "/bus.conf";
  std::ofstream(config) << "<busconfig><type>session</type><listen>unix:path=" << directory_
                        << "/bus</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                           "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                           "<allow own=\"*\"/></policy>"
                           "</busconfig>\n";
  const std::string addressFile = directory_ + "/bus-address";
  bus_ = std::make_unique<Process>(
      std::vector<std::string>{"dbus-daemon", "--nofork", "--config-file=" + config,
                               "--print-address=1"},
      std::map<std::string, std::string>{}, addressFile, directory_ + "/bus.log");
  if (!waitUntil([&] { return readFile(addressFile).find('\n') != std::string::npos; },
                 std::chrono::seconds(20))) {
    throw std::runtime_error("the session bus did not start");
  }
  busAddress_ = readFile(addressFile).substr(0, readFile(addressFile).find('\n'));
}

bool XSession::startWindowManager() {
  windowManager_ = std::make_unique<Process>(std::vector<std::string>{"icewm"}, environment(),
                                             directory_ + "/icewm.log");
  const Atom tray = XInternAtom(connection_, "_NET_SYSTEM_TRAY_S0", False);
  return waitUntil([&] { return XGetSelectionOwner(connection_, tray) != None; },
                   std::chrono::seconds(20));
}

bool XSession::restartWindowManager() {
  if (windowManager_) windowManager_->signal(SIGKILL);
  windowManager_.reset();
  const Atom tray = XInternAtom(connection_, "_NET_SYSTEM_TRAY_S0", False);
  if (!waitUntil([&] { return XGetSelectionOwner(connection_, tray) == None; },
                 std::chrono::seconds(10))) {
    return false;
  }
  return startWindowManager();
}

XSession::~XSession() {
  if (connection_ != nullptr) XCloseDisplay(connection_);
  windowManager_.reset();
  bus_.reset();
  server_.reset();
  if (std::getenv("KEPA_E2E_KEEP") == nullptr) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
}

std::map<std::string, std::string> XSession::environment() const {
  return {{"DISPLAY", display_},
          {"HOME", directory_ + "/home"},
          {"XDG_RUNTIME_DIR", directory_ + "/runtime"},
          {"DBUS_SESSION_BUS_ADDRESS", busAddress_}};
}

std::vector<XWindow> XSession::trayIcons() {
  std::vector<XWindow> icons;
  for (const XWindow& window : windowsOf(0)) {
    if (window.embedded) icons.push_back(window);
  }
  return icons;
}

std::vector<XWindow> XSession::windowsOf(pid_t pid) {
  XSync(connection_, False);
  std::vector<XWindow> found;
  collect(connection_, DefaultRootWindow(connection_), pid, found);
  return found;
}

QRect XSession::screen() {
  XWindowAttributes attributes;
  XGetWindowAttributes(connection_, DefaultRootWindow(connection_), &attributes);
  return {0, 0, attributes.width, attributes.height};
}

QImage XSession::screenshot() {
  const Window root = DefaultRootWindow(connection_);
  XWindowAttributes attributes;
  XGetWindowAttributes(connection_, root, &attributes);
  XImage* image = XGetImage(connection_, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return {};
  QImage shot(attributes.width, attributes.height, QImage::Format_RGB32);
  for (int y = 0; y < attributes.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(shot.scanLine(y));
    for (int x = 0; x < attributes.width; ++x) {
      line[x] = 0xFF000000U | static_cast<QRgb>(XGetPixel(image, x, y) & 0xFFFFFFU);
    }
  }
  XDestroyImage(image);
  return shot;
}

std::string XSession::saveScreenshot(const std::string& name) {
  const std::string path = directory_ + "/" + name + ".png";
  screenshot().save(QString::fromStdString(path));
  return path;
}

void XSession::setRootPicture(const QImage& picture) {
  const Window root = DefaultRootWindow(connection_);
  const int screen = DefaultScreen(connection_);
  const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
  // A 24-bit TrueColor ZPixmap has the RGB32 layout: 32-bit words 0x00RRGGBB.
  XImage* image =
      XCreateImage(connection_, DefaultVisual(connection_, screen),
                   static_cast<unsigned>(DefaultDepth(connection_, screen)), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(pixels.width()), static_cast<unsigned>(pixels.height()),
                   32, static_cast<int>(pixels.bytesPerLine()));
  image->data = const_cast<char*>(reinterpret_cast<const char*>(pixels.constBits()));
  const Pixmap pixmap = XCreatePixmap(connection_, root, static_cast<unsigned>(pixels.width()),
                                      static_cast<unsigned>(pixels.height()),
                                      static_cast<unsigned>(DefaultDepth(connection_, screen)));
  XPutImage(connection_, pixmap, DefaultGC(connection_, screen), image, 0, 0, 0, 0,
            static_cast<unsigned>(pixels.width()), static_cast<unsigned>(pixels.height()));
  image->data = nullptr;  // the pixels belong to the QImage
  XDestroyImage(image);
  XSetWindowBackgroundPixmap(connection_, root, pixmap);
  XFreePixmap(connection_, pixmap);
  XClearWindow(connection_, root);
  XSync(connection_, False);
}

unsigned long XSession::openWindow(const QRect& geometry, QRgb colour) {
  const Window window =
      XCreateSimpleWindow(connection_, DefaultRootWindow(connection_), geometry.x(), geometry.y(),
                          static_cast<unsigned>(geometry.width()),
                          static_cast<unsigned>(geometry.height()), 0, 0, colour & 0xFFFFFFU);
  XStoreName(connection_, window, "another program");
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = geometry.x();
  hints.y = geometry.y();
  hints.width = geometry.width();
  hints.height = geometry.height();
  XSetWMNormalHints(connection_, window, &hints);
  XMapWindow(connection_, window);
  XSync(connection_, False);
  return window;
}

void XSession::recolourWindow(unsigned long window, QRgb colour) {
  XSetWindowBackground(connection_, window, colour & 0xFFFFFFU);
  XClearWindow(connection_, window);
  XSync(connection_, False);
}

QPoint XSession::pointer() {
  Window root = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(connection_, DefaultRootWindow(connection_), &root, &child, &x, &y, &windowX,
                &windowY, &mask);
  return {x, y};
}

bool XSession::xdotool(const std::string& arguments) const {
  return run("xdotool " + arguments);
}

bool XSession::run(const std::string& commandLine) const {
  const std::string command = "DISPLAY=" + display_ + " " + commandLine;
  return std::system(command.c_str()) == 0;
}

bool XSession::setResources(const std::string& resources) const {
  return run("xrdb -nocpp -merge <<'EOF'\n" + resources + "\nEOF");
}

}  // namespace kepa::xdriver
