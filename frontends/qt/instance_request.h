// What one start of kepa asks of the one that already runs, and how an attempt to become that
// one ended: the words shared by the ways a start finds the running one.
#pragma once

#include <functional>

namespace kepa {

enum class InstanceRequest { Start, Capture };

enum class ClaimResult {
  Primary,      // this is the one: later starts' requests arrive here
  HandedOver,   // another one runs and has taken the request
  NoAnswer,     // another one holds the place but did not take the request
  Unavailable,  // this way of finding each other cannot be used here
};

using InstanceRequestHandler = std::function<void(InstanceRequest)>;

}  // namespace kepa
