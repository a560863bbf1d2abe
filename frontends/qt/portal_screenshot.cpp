#include "frontends/qt/portal_screenshot.h"

#include <functional>
#include <memory>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QFile>
#include <QImageReader>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include "frontends/qt/handlers_hold.h"

namespace kepa {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// How long a request that nobody waits for (askAgain) may stay unanswered: the user may be
// reading the desktop's question.
constexpr int kUnwaitedAnswerMs = 120'000;

// The last part of a request's object path. The path is the connection's and the token's,
// and the connection is the process's: a token is never used twice in the process, since a
// portal may keep a request's object after it has answered and then refuse the next one of
// the same path.
QString nextToken() {
  static int requests = 0;
  return QStringLiteral("kepa%1").arg(++requests);
}

// The portal leaves the picture's file for the caller to remove.
void removePicture(const QString& uri) {
  const QUrl url(uri);
  if (url.isLocalFile()) QFile::remove(url.toLocalFile());
}

// The picture of `uri`, read and then removed.
std::optional<QImage> takePicture(const QString& uri) {
  const QUrl url(uri);
  QImage image = url.isLocalFile() ? QImageReader(url.toLocalFile()).read() : QImage();
  removePicture(uri);
  if (image.isNull()) return std::nullopt;
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// One request's answer: the Response signal of the request object that the portal makes
// for it, subscribed to before the request is sent so that no answer can come first.
class PortalAnswer final : public QObject {
  Q_OBJECT

 public:
  // Sends the request on `bus` with `token`; false (and `failure` set) when no portal took
  // it.
  bool send(QDBusConnection bus, const QString& token, PortalScreenshot::Failure& failure) {
    bus_ = std::make_unique<QDBusConnection>(bus);
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10'000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
      failure = PortalScreenshot::Failure::Missing;
      return false;
    }
    // A portal older than handle tokens makes a request object of another name.
    const QString handle = reply.arguments().constFirst().value<QDBusObjectPath>().path();
    if (!handle.isEmpty() && handle != path_) listen(handle);
    return true;
  }

  [[nodiscard]] bool answered() const { return response_.has_value(); }
  [[nodiscard]] std::optional<unsigned> response() const { return response_; }
  [[nodiscard]] const QString& uri() const { return uri_; }
  std::function<void()> arrived;

 public slots:
  void onResponse(uint response, const QVariantMap& results) {
    response_ = response;
    uri_ = results.value(QStringLiteral("uri")).toString();
    if (arrived) arrived();
  }

 private:
  void listen(const QString& path) {
    path_ = path;
    bus_->connect(kService, path, kRequestInterface, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
  }

  std::unique_ptr<QDBusConnection> bus_;
  QString path_;
  std::optional<unsigned> response_;
  QString uri_;
};

std::optional<QImage> PortalScreenshot::take(std::chrono::milliseconds timeout) {
  failure_ = Failure::None;
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    failure_ = Failure::Missing;
    return std::nullopt;
  }
  PortalAnswer answer;
  QEventLoop loop;
  answer.arrived = [&loop] { loop.quit(); };
  if (!answer.send(bus, nextToken(), failure_)) return std::nullopt;
  if (!answer.answered()) {
    const HandlersOnHold hold;
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!answer.answered()) {
    failure_ = Failure::Unreadable;
    return std::nullopt;
  }
  if (*answer.response() != 0) {
    failure_ = Failure::Refused;
    return std::nullopt;
  }
  std::optional<QImage> picture = takePicture(answer.uri());
  if (!picture) failure_ = Failure::Unreadable;
  return picture;
}

void PortalScreenshot::askAgain() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  auto* answer = new PortalAnswer;
  answer->arrived = [answer] {
    removePicture(answer->uri());
    answer->deleteLater();
  };
  Failure ignored = Failure::None;
  if (!answer->send(bus, nextToken(), ignored)) {
    delete answer;
    return;
  }
  if (!answer->answered()) QTimer::singleShot(kUnwaitedAnswerMs, answer, &QObject::deleteLater);
}

std::string PortalScreenshot::explanation(Failure failure) {
  switch (failure) {
    case Failure::Missing:
      return "画面を取り込めません。このデスクトップでは画面をスクリーンショット ポータル "
             "(xdg-desktop-portal) から取り込みますが、ポータルが見つかりません。";
    case Failure::Refused:
      return "画面の取り込みがデスクトップに拒否されました。画面の取り込みを許可するか"
             "尋ねられたら許可してから、もう一度スタ－トキャプチャ－を選んでください。";
    case Failure::Unreadable:
      return "画面を取り込めませんでした。スクリーンショット ポータルから画像を受け取れません"
             "でした。";
    case Failure::None:
      break;
  }
  return {};
}

}  // namespace kepa

#include "portal_screenshot.moc"
