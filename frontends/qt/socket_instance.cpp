#include "frontends/qt/socket_instance.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace kepa {

namespace {

constexpr const char* kStart = "start";
constexpr const char* kCapture = "capture";
constexpr int kAnswerTimeoutMs = 10000;
// How long a start waits for the lock's holder to begin listening.
constexpr std::chrono::seconds kListenWait{10};
// What a running kepa takes from the socket.
constexpr int kMaxClients = 8;
constexpr qint64 kMaxLine = 64;
constexpr std::chrono::seconds kClientTime{2};

enum class HandOver { Taken, NoServer, NoAnswer };

HandOver handOver(const QString& socketPath, InstanceRequest request) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(1000)) return HandOver::NoServer;
  socket.write(request == InstanceRequest::Capture ? kCapture : kStart);
  socket.write("\n");
  if (!socket.waitForBytesWritten(kAnswerTimeoutMs)) return HandOver::NoAnswer;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerTimeoutMs);
  while (!socket.canReadLine()) {
    if (std::chrono::steady_clock::now() >= deadline || !socket.waitForReadyRead(kAnswerTimeoutMs))
      return HandOver::NoAnswer;
  }
  return socket.readLine().trimmed() == "ok" ? HandOver::Taken : HandOver::NoAnswer;
}

}  // namespace

bool preparePrivateFolder(const std::string& path, std::string& problem) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    problem = path + " cannot be made: " + std::strerror(errno);
    return false;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    problem = path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(status.st_mode)) {
    problem = path + " is not a folder";
  } else if (status.st_uid != ::geteuid()) {
    problem = path + " belongs to another user";
  } else if ((status.st_mode & 077) != 0) {
    problem = path + " can be opened by other users";
  } else {
    return true;
  }
  return false;
}

SocketInstance::SocketInstance(InstanceRequestHandler handler, std::string folder)
    : handler_(std::move(handler)), folder_(std::move(folder)) {}

SocketInstance::~SocketInstance() {
  server_.reset();  // removes the socket
  if (lock_ >= 0) ::close(lock_);
}

std::string SocketInstance::defaultFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/kepa";
  return "/tmp/kepa-" + std::to_string(::geteuid());
}

ClaimResult SocketInstance::claim(InstanceRequest request) {
  if (!preparePrivateFolder(folder_, problem_)) return ClaimResult::Unavailable;
  lock_ = ::open((folder_ + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_ < 0) {
    problem_ = folder_ + "/lock: " + std::strerror(errno);
    return ClaimResult::Unavailable;
  }
  const QString socketPath = QString::fromStdString(folder_ + "/socket");
  const auto deadline = std::chrono::steady_clock::now() + kListenWait;
  for (;;) {
    if (::flock(lock_, LOCK_EX | LOCK_NB) == 0) {
      // The lock was free: whatever socket is there was left by a kepa that has gone.
      QLocalServer::removeServer(socketPath);
      server_ = std::make_unique<QLocalServer>();
      server_->setSocketOptions(QLocalServer::UserAccessOption);
      if (!server_->listen(socketPath)) {
        problem_ = socketPath.toStdString() + ": " + server_->errorString().toStdString();
        server_.reset();
        return ClaimResult::Unavailable;
      }
      QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { serve(); });
      return ClaimResult::Primary;
    }
    if (errno != EWOULDBLOCK) {
      problem_ = folder_ + "/lock: " + std::strerror(errno);
      return ClaimResult::Unavailable;
    }
    const HandOver result = handOver(socketPath, request);
    if (result == HandOver::Taken || result == HandOver::NoAnswer ||
        std::chrono::steady_clock::now() >= deadline) {
      ::close(lock_);
      lock_ = -1;
      if (result == HandOver::Taken) return ClaimResult::HandedOver;
      problem_ = socketPath.toStdString();
      return ClaimResult::NoAnswer;
    }
    // The lock's holder is still starting: it listens in a moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void SocketInstance::serve() {
  while (QLocalSocket* client = server_->nextPendingConnection()) {
    // Only the user's own programs reach the socket, but any of them may misbehave: a few
    // clients at a time, each with one short line in a short time, or it is dropped.
    const auto drop = [client] {
      client->abort();
      client->deleteLater();
    };
    if (clients_ >= kMaxClients) {
      drop();
      continue;
    }
    ++clients_;
    QObject::connect(client, &QObject::destroyed, [this] { --clients_; });
    client->setReadBufferSize(kMaxLine);
    QTimer::singleShot(kClientTime, client, drop);
    QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, drop] {
      if (!client->canReadLine()) {
        if (client->bytesAvailable() >= kMaxLine) drop();
        return;
      }
      const QByteArray line = client->readLine().trimmed();
      const bool capture = line == kCapture;
      if (!capture && line != kStart) {
        client->disconnectFromServer();
        return;
      }
      client->write("ok\n");
      client->flush();
      client->disconnectFromServer();
      handler_(capture ? InstanceRequest::Capture : InstanceRequest::Start);
    });
  }
}

}  // namespace kepa
