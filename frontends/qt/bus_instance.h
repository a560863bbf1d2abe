// The running kepa on the session bus: it owns the well-known name kBusName and answers the
// org.freedesktop.Application calls there (Activate, and ActivateAction "capture"). The bus
// belongs to the user's session, and the name goes with the process however it ends.
#pragma once

#include <memory>
#include <string>

#include "frontends/qt/instance_request.h"

namespace kepa {

inline constexpr const char* kBusName = "org.kepa.Kepa";
inline constexpr const char* kBusPath = "/org/kepa/Kepa";

class BusInstance {
 public:
  explicit BusInstance(InstanceRequestHandler handler);
  BusInstance(const BusInstance&) = delete;
  BusInstance& operator=(const BusInstance&) = delete;
  ~BusInstance();

  // Takes the name, or hands `request` to its owner; Unavailable without a session bus.
  [[nodiscard]] ClaimResult claim(InstanceRequest request);
  // Why the last claim ended in NoAnswer.
  [[nodiscard]] const std::string& problem() const { return problem_; }

 private:
  class Adaptor;
  std::unique_ptr<Adaptor> adaptor_;
  bool registered_ = false;
  std::string problem_;
};

}  // namespace kepa
