// The running kepa where there is no session bus: it listens on a local socket in a folder of
// the user's runtime directory that only the user can open, and holds a lock there for as long
// as it lives. The lock goes with the process however it ends, so a socket left by a killed
// kepa is known to be stale and is replaced.
#pragma once

#include <memory>
#include <string>

#include "frontends/qt/instance_request.h"

class QLocalServer;

namespace kepa {

// Makes `path` a folder of this user that nobody else can open: creates it (mode 0700) when it
// is missing; false with the reason in `problem` when it is something else, belongs to another
// user or can be opened by others.
[[nodiscard]] bool preparePrivateFolder(const std::string& path, std::string& problem);

class SocketInstance {
 public:
  // `folder`: where the socket and the lock live; the default is kepa's folder in
  // XDG_RUNTIME_DIR (or /tmp/kepa-UID where that is not set).
  explicit SocketInstance(InstanceRequestHandler handler, std::string folder = defaultFolder());
  SocketInstance(const SocketInstance&) = delete;
  SocketInstance& operator=(const SocketInstance&) = delete;
  ~SocketInstance();

  [[nodiscard]] static std::string defaultFolder();

  // Becomes the listening one, or hands `request` to it.
  [[nodiscard]] ClaimResult claim(InstanceRequest request);
  // Why the last claim ended in NoAnswer or Unavailable.
  [[nodiscard]] const std::string& problem() const { return problem_; }

 private:
  void serve();

  InstanceRequestHandler handler_;
  std::string folder_;
  int lock_ = -1;
  std::string problem_;
  std::unique_ptr<QLocalServer> server_;
  int clients_ = 0;  // connected and not yet dropped
};

}  // namespace kepa
