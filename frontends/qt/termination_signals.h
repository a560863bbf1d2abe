// SIGTERM and SIGINT turned into a Qt signal on the event loop, so that the program can end
// the orderly way (removing its icon) instead of dying inside a signal handler.
#pragma once

#include <memory>

#include <QObject>
#include <QSocketNotifier>

namespace kepa {

class TerminationSignals final : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; only one instance may exist at a time.
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested();

 private:
  void onReadable();

  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kepa
