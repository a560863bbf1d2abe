#include "frontends/qt/handlers_hold.h"

#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QPointer>

namespace kepa {

namespace {

struct Kept {
  QPointer<QObject> owner;
  std::function<void()> handler;
  bool once;
};

int gDepth = 0;
std::vector<Kept> gKept;

}  // namespace

HandlersOnHold::HandlersOnHold() {
  ++gDepth;
}

HandlersOnHold::~HandlersOnHold() {
  if (--gDepth > 0) return;
  for (Kept& kept : std::exchange(gKept, {})) {
    if (!kept.owner) continue;
    QMetaObject::invokeMethod(
        kept.owner.data(),
        [owner = kept.owner, handler = std::move(kept.handler)] {
          if (owner) handler();
        },
        Qt::QueuedConnection);
  }
}

bool HandlersOnHold::active() {
  return gDepth > 0;
}

void HandlersOnHold::run(QObject& owner, std::function<void()> handler, bool once) {
  if (gDepth == 0) {
    handler();
    return;
  }
  if (once) {
    for (const Kept& kept : gKept) {
      if (kept.once && kept.owner == &owner) return;
    }
  }
  gKept.push_back({&owner, std::move(handler), once});
}

}  // namespace kepa
