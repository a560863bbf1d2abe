#include "frontends/qt/single_instance.h"

#include <QMetaObject>

#include "frontends/qt/bus_instance.h"
#include "frontends/qt/socket_instance.h"

namespace kepa {

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

ClaimResult SingleInstance::claim(InstanceRequest request) {
  const auto handler = [this](InstanceRequest received) { receive(received); };
  bus_ = std::make_unique<BusInstance>(handler);
  const ClaimResult onBus = bus_->claim(request);
  if (onBus != ClaimResult::Unavailable) {
    problem_ = bus_->problem();
    return onBus;
  }
  bus_.reset();
  socket_ = std::make_unique<SocketInstance>(handler);
  const ClaimResult onSocket = socket_->claim(request);
  problem_ = socket_->problem();
  if (onSocket == ClaimResult::Unavailable) socket_.reset();
  return onSocket;
}

void SingleInstance::receive(InstanceRequest request) {
  QMetaObject::invokeMethod(
      this, [this, request] { Q_EMIT requested(request); }, Qt::QueuedConnection);
}

}  // namespace kepa
