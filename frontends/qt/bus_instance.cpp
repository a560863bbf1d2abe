#include "frontends/qt/bus_instance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QObject>
#include <QVariant>

namespace kepa {

namespace {

constexpr const char* kInterface = "org.freedesktop.Application";
// The running one answers from its event loop, which dialogs and menus keep turning.
constexpr int kAnswerTimeoutMs = 10000;

QDBusMessage requestCall(InstanceRequest request) {
  const bool capture = request == InstanceRequest::Capture;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(kBusName), QString::fromLatin1(kBusPath), QString::fromLatin1(kInterface),
      capture ? QStringLiteral("ActivateAction") : QStringLiteral("Activate"));
  if (capture) call << QStringLiteral("capture") << QVariant::fromValue(QVariantList());
  call << QVariant::fromValue(QVariantMap());
  return call;
}

}  // namespace

// The object on the bus. Its slots are the interface's methods, with its names.
class BusInstance::Adaptor final : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  explicit Adaptor(InstanceRequestHandler handler) : handler_(std::move(handler)) {}

 public Q_SLOTS:
  void Activate(const QVariantMap&) { handler_(InstanceRequest::Start); }
  void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&) {
    if (name == QStringLiteral("capture")) handler_(InstanceRequest::Capture);
  }
  void Open(const QStringList&, const QVariantMap&) { handler_(InstanceRequest::Start); }

 private:
  InstanceRequestHandler handler_;
};

BusInstance::BusInstance(InstanceRequestHandler handler)
    : adaptor_(std::make_unique<Adaptor>(std::move(handler))) {}

BusInstance::~BusInstance() {
  if (registered_) QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kBusPath));
}

ClaimResult BusInstance::claim(InstanceRequest request) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return ClaimResult::Unavailable;
  // The object is in place before the name is taken, so the first call finds it.
  registered_ = bus.registerObject(QString::fromLatin1(kBusPath), adaptor_.get(),
                                   QDBusConnection::ExportAllSlots);
  if (!registered_) return ClaimResult::Unavailable;

  // The owner may end between our attempt and our call: then the name is free again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> taken =
        bus.interface()->registerService(QString::fromLatin1(kBusName),
                                         QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!taken.isValid()) {
      bus.unregisterObject(QString::fromLatin1(kBusPath));
      registered_ = false;
      return ClaimResult::Unavailable;
    }
    if (taken.value() == QDBusConnectionInterface::ServiceRegistered) return ClaimResult::Primary;

    const QDBusMessage answer = bus.call(requestCall(request), QDBus::Block, kAnswerTimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage) {
      bus.unregisterObject(QString::fromLatin1(kBusPath));
      registered_ = false;
      return ClaimResult::HandedOver;
    }
    const QString error = answer.errorName();
    if (error != QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown") &&
        error != QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner")) {
      problem_ = "the session bus: " + answer.errorMessage().toStdString();
      bus.unregisterObject(QString::fromLatin1(kBusPath));
      registered_ = false;
      return ClaimResult::NoAnswer;
    }
  }
  bus.unregisterObject(QString::fromLatin1(kBusPath));
  registered_ = false;
  problem_ = std::string("the name ") + kBusName + " on the session bus changed hands too often";
  return ClaimResult::NoAnswer;
}

}  // namespace kepa

#include "bus_instance.moc"
