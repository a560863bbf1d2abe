#include "platform/qt/single_instance.h"

#include <cstdio>

#include <QMetaObject>

#include "platform/qt/bus_instance.h"
#include "platform/qt/socket_instance.h"

namespace kepa {

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

ClaimResult SingleInstance::claim(InstanceRequest request) {
  const auto handler = [this](InstanceRequest received) { receive(received); };
  bus_ = std::make_unique<BusInstance>(handler);
  const ClaimResult onBus = bus_->claim(request);
  if (onBus != ClaimResult::Unavailable) return onBus;
  bus_.reset();
  socket_ = std::make_unique<SocketInstance>(handler);
  const ClaimResult onSocket = socket_->claim(request);
  if (onSocket == ClaimResult::Unavailable) {
    socket_.reset();
    std::fprintf(stderr, "kepa: starting without looking for a kepa that already runs\n");
  }
  return onSocket;
}

void SingleInstance::receive(InstanceRequest request) {
  QMetaObject::invokeMethod(
      this, [this, request] { Q_EMIT requested(request); }, Qt::QueuedConnection);
}

}  // namespace kepa
