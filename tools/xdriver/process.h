// A child process for the X drivers: started with extra environment variables and its
// output in files, ended (and reaped) at the latest when the object goes.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kepa::xdriver {

class Process {
 public:
  // Starts argv[0] (searched on PATH) with `environment` added to this process's own.
  // Standard output goes to `outputPath` and standard error to `errorPath` (the same file
  // when that is empty); an empty `outputPath` means /dev/null.
  Process(std::vector<std::string> argv, const std::map<std::string, std::string>& environment,
          const std::string& outputPath = {}, const std::string& errorPath = {});
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  [[nodiscard]] pid_t pid() const { return pid_; }
  // The exit status once the process has ended: its exit code, or 128 + the signal number.
  [[nodiscard]] std::optional<int> waitFor(std::chrono::milliseconds timeout);
  [[nodiscard]] bool running();
  void signal(int number) const;
  // SIGTERM, then SIGKILL if it has not ended within a second; always reaps it.
  void stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Polls `done` every 20 ms until it holds or `timeout` passes; returns its last value.
template <typename Condition>
bool waitUntil(Condition done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    struct timespec pause {
      0, 20'000'000
    };
    nanosleep(&pause, nullptr);
  }
  return true;
}

[[nodiscard]] std::string readFile(const std::string& path);

}  // namespace kepa::xdriver
