// One kepa per user and session. The first start owns a well-known name on the session bus,
// or, without a session bus, a local socket in a folder only the user can open; a later start
// hands its request to that one and ends, so that the login's autostart and the menu entry
// never make two icons.
#pragma once

#include <memory>
#include <string>

#include <QObject>

#include "frontends/qt/instance_request.h"

namespace kepa {

class BusInstance;
class SocketInstance;

class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  SingleInstance();
  ~SingleInstance() override;

  // Primary: later starts' requests arrive as `requested`. HandedOver: this start ends.
  // NoAnswer: another one runs but did not take the request (said so). Unavailable: neither
  // way works here, and this one runs on its own (said why).
  [[nodiscard]] ClaimResult claim(InstanceRequest request);
  // What went wrong in a claim that ended in NoAnswer or Unavailable.
  [[nodiscard]] const std::string& problem() const { return problem_; }

 Q_SIGNALS:
  // Sent from the event loop, never from inside the call that brought the request.
  void requested(kepa::InstanceRequest request);

 private:
  void receive(InstanceRequest request);

  std::unique_ptr<BusInstance> bus_;
  std::unique_ptr<SocketInstance> socket_;
  std::string problem_;
};

}  // namespace kepa
