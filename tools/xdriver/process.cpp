#include "tools/xdriver/process.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kepa::xdriver {

Process::Process(std::vector<std::string> argv,
                 const std::map<std::string, std::string>& environment,
                 const std::string& outputPath, const std::string& errorPath) {
  const std::string output = outputPath.empty() ? "/dev/null" : outputPath;
  const std::string errors = errorPath.empty() ? output : errorPath;
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // Its own process group, so that stopping it reaches what it starts.
    ::setpgid(0, 0);
    const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      ::dup2(fd, STDOUT_FILENO);
      if (errors == output) ::dup2(fd, STDERR_FILENO);
      ::close(fd);
    }
    if (errors != output) {
      const int errorFd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (errorFd >= 0) {
        ::dup2(errorFd, STDERR_FILENO);
        ::close(errorFd);
      }
    }
    const int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0) ::dup2(null, STDIN_FILENO);
    for (const auto& [name, value] : environment)
      ::setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (std::string& arg : argv)
      args.push_back(arg.data());
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
}

Process::~Process() {
  stop();
}

std::optional<int> Process::waitFor(std::chrono::milliseconds timeout) {
  waitUntil([this] { return !running(); }, timeout);
  return status_;
}

bool Process::running() {
  if (status_ || pid_ <= 0) return false;
  int raw = 0;
  const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
  if (done == 0) return true;
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return false;
}

void Process::signal(int number) const {
  if (pid_ > 0) ::kill(pid_, number);
}

void Process::stop() {
  if (!running()) return;
  ::kill(pid_, SIGTERM);
  if (waitFor(std::chrono::milliseconds(1000))) return;
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  int raw = 0;
  ::waitpid(pid_, &raw, 0);
  status_ = 128 + SIGKILL;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kepa::xdriver
