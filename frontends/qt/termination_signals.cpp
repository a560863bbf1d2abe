#include "frontends/qt/termination_signals.h"

#include <csignal>
#include <stdexcept>

#include <sys/socket.h>
#include <unistd.h>

namespace kepa {

namespace {

// The self-pipe: the handler only writes a byte, which the event loop then reads.
int pipeEnds[2] = {-1, -1};

extern "C" void onTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) {
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
  char byte = 0;
  [[maybe_unused]] const ssize_t got = ::read(pipeEnds[1], &byte, 1);
  emit terminationRequested();
}

}  // namespace kepa
