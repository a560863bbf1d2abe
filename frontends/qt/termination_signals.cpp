#include "frontends/qt/termination_signals.h"

#include <cerrno>
#include <csignal>
#include <stdexcept>

#include <sys/socket.h>
#include <unistd.h>

namespace kepa {

namespace {

// The self-pipe: the handler only writes a byte, which the event loop then reads.
int pipeEnds[2] = {-1, -1};

// The code it interrupts keeps its errno; a full pipe (signals faster than the loop reads)
// drops the byte instead of blocking, since one unread byte is already enough.
extern "C" void onTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  // Not inherited by programs kepa starts, and never blocking the handler or the loop.
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0) {
    throw std::runtime_error("socketpair failed");
  }
  notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::onReadable);
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  notifier_.reset();
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::onReadable() {
  char bytes[64];
  while (::read(pipeEnds[1], bytes, sizeof bytes) > 0) {
  }
  emit terminationRequested();
}

}  // namespace kepa
